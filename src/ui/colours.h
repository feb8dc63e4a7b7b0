#pragma once

#include <QColor>
#include <QString>
#include <optional>

class QLabel;

namespace zz {

// What a chart line or a caption stands for. Each quantity has one colour on
// every panel, and the captions that name it are written in that colour.
enum class Quantity {
    Weight,       // 体重, also the daily average weight
    Average,      // the moving average of the weight
    Trend,        // the trend line of the weight
    BodyFat,      // 体脂肪率
    Mixed,        // the caption of the option that shows weight and body fat
    Metabolism,   // 基礎代謝
    VisceralFat,  // 内臓脂肪
    MuscleMass,   // 筋肉量
    MuscleScore,  // 筋肉スコア
    Bone,         // 骨量
};

// True when the application's palette draws light text on a dark window.
bool IsDarkScheme();

// The colour of the quantity in the current scheme: the light scheme's pure
// hues, lightened on a dark window so that a line stays visible.
QColor QuantityColour(Quantity quantity);

// A style sheet that writes text in the quantity's colour, then `extra`.
QString QuantityTextStyle(Quantity quantity, const QString &extra = {});

// The quantity a chart caption names ("体重", "筋肉スコア"), if any.
std::optional<Quantity> QuantityNamed(const QString &caption);

// Writes `caption` into the label, bold and in the colour of the quantity it
// names; an empty caption clears the label.
void ShowQuantityCaption(QLabel *label, const QString &caption);

// Headings and emphasised captions on the window background: dark blue on a
// light window, light blue on a dark one.
QColor HeadingColour();
QString HeadingStyle(const QString &extra = {});

// Text of secondary importance on the window background.
QColor QuietTextColour();

// A box with a fixed light background keeps dark text whatever the scheme;
// `background` is a style-sheet colour ("white", "rgb(255, 224, 192)").
QString FixedLightStyle(const QString &background, const QString &extra = {});

} // namespace zz
