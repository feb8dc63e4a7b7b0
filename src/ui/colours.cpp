#include "ui/colours.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>

namespace zz {

namespace {

struct SchemeColours
{
    QColor light, dark;
};

SchemeColours ColoursOf(Quantity quantity)
{
    switch (quantity) {
    case Quantity::Weight: return {QColor(0, 0, 255), QColor(110, 150, 255)};
    case Quantity::Average: return {QColor(150, 0, 0), QColor(255, 165, 150)};
    case Quantity::Trend: return {QColor(230, 120, 0), QColor(255, 170, 60)};
    case Quantity::BodyFat: return {QColor(255, 0, 0), QColor(255, 80, 80)};
    case Quantity::Mixed: return {QColor(0, 128, 0), QColor(110, 220, 110)};
    case Quantity::Metabolism: return {QColor(140, 0, 200), QColor(200, 140, 255)};
    case Quantity::VisceralFat: return {QColor(0, 150, 0), QColor(100, 220, 100)};
    case Quantity::MuscleMass: return {QColor(0, 130, 140), QColor(80, 220, 230)};
    case Quantity::MuscleScore: return {QColor(200, 0, 140), QColor(255, 120, 210)};
    case Quantity::Bone: return {QColor(150, 100, 0), QColor(230, 190, 90)};
    }
    return {QColor(Qt::black), QColor(Qt::white)};
}

} // namespace

bool IsDarkScheme()
{
    const QPalette palette = QApplication::palette();
    return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}

QColor QuantityColour(Quantity quantity)
{
    const SchemeColours colours = ColoursOf(quantity);
    return IsDarkScheme() ? colours.dark : colours.light;
}

QString QuantityTextStyle(Quantity quantity, const QString &extra)
{
    return QStringLiteral("color: %1; %2").arg(QuantityColour(quantity).name(), extra);
}

std::optional<Quantity> QuantityNamed(const QString &caption)
{
    static const struct
    {
        const char16_t *name;
        Quantity quantity;
    } names[] = {
        {u"体重", Quantity::Weight},          {u"日平均体重", Quantity::Weight},
        {u"平均", Quantity::Average},         {u"傾向", Quantity::Trend},
        {u"体脂肪率", Quantity::BodyFat},     {u"体脂肪", Quantity::BodyFat},
        {u"混合", Quantity::Mixed},           {u"基礎代謝", Quantity::Metabolism},
        {u"内臓脂肪", Quantity::VisceralFat}, {u"筋肉量", Quantity::MuscleMass},
        {u"筋肉スコア", Quantity::MuscleScore}, {u"骨量", Quantity::Bone},
    };
    for (const auto &entry : names) {
        if (caption == QStringView(entry.name))
            return entry.quantity;
    }
    return std::nullopt;
}

void ShowQuantityCaption(QLabel *label, const QString &caption)
{
    label->setText(caption);
    const std::optional<Quantity> quantity = QuantityNamed(caption);
    label->setStyleSheet(quantity ? QuantityTextStyle(*quantity, QStringLiteral("font-weight: bold;"))
                                  : QStringLiteral("font-weight: bold;"));
}

QColor HeadingColour()
{
    return IsDarkScheme() ? QColor(150, 180, 255) : QColor(0, 0, 160);
}

QString HeadingStyle(const QString &extra)
{
    return QStringLiteral("color: %1; %2").arg(HeadingColour().name(), extra);
}

QColor QuietTextColour()
{
    return IsDarkScheme() ? QColor(190, 190, 190) : QColor(64, 64, 64);
}

QString FixedLightStyle(const QString &background, const QString &extra)
{
    return QStringLiteral("background: %1; color: black; %2").arg(background, extra);
}

} // namespace zz
