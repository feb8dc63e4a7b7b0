#pragma once

#include "base/tablerow.h"

#include <QList>
#include <QString>

class QLabel;
class QWidget;

namespace zz {

// A style sheet with `rgb` as background, then `extra`.
QString BackgroundStyle(const Rgb &rgb, const QString &extra = {});

// The BMI classes' colour bar from 17 to 32 with the borders 20, 24, 26.4 and
// 30, `twipsPerPoint` twips per BMI point, starting 240 twips from the left so
// the pointer (480 twips wide, its tip in the middle) fits at 17. The parts
// are named `shapeName`(0..4), the pointer `pointerName`. Used by the main
// panel and by the BMI meter.
QWidget *BmiColourBar(const QString &shapeName, QList<QLabel *> &parts, QLabel *&pointer,
                      const QString &pointerName, double twipsPerPoint);

// Moves `pointer` to `offsetTwips` from the left edge of the middle part.
void PlaceBmiPointer(QWidget *pointer, QWidget *middlePart, double offsetTwips);

} // namespace zz
