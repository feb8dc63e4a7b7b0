#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

class QValueAxis;

namespace zz {

// How the charts look: their point pictures and the labels of their axes.

// The shaded ball drawn at each point: lit from the upper left, in the
// series colour, darkening towards the rim.
QImage BallPicture(const QColor &color);

// The printf format whose digits after the point tell the labels of this
// tick spacing apart ("%.1f" for 0.5).
QString LabelFormatFor(double step);

// The face of the scale labels.
QFont LabelFont();

// The label format for the axis's range and tick count.
void UpdateLabelFormat(QValueAxis *axis);

// 1, 2, 5, 10, 20, 50 ... rows between labels of the row axis.
double RowLabelStep(int rows);

} // namespace zz
