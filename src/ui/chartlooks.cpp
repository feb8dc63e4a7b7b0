#include "ui/chartlooks.h"

#include <QPainter>
#include <QRadialGradient>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace zz {

// The shaded ball drawn at each point: lit from the upper left, in the
// series colour, darkening towards the rim.
QImage BallPicture(const QColor &color)
{
    constexpr int Side = 32;
    QImage image(Side, Side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient gradient(QPointF(Side * 0.5, Side * 0.5), Side * 0.5, QPointF(Side * 0.36, Side * 0.32));
    gradient.setColorAt(0.0, Qt::white);
    gradient.setColorAt(0.3, color.lighter(140));
    gradient.setColorAt(0.75, color);
    gradient.setColorAt(1.0, color.darker(220));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawEllipse(QRectF(0.5, 0.5, Side - 1, Side - 1));
    return image;
}

// Digits after the point that tell the labels of this tick spacing apart.
QString LabelFormatFor(double step)
{
    int decimals = 0;
    if (step > 0 && std::isfinite(step)) {
        while (decimals < 6) {
            const double scaled = step * std::pow(10.0, decimals);
            if (std::abs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, scaled))
                break;
            ++decimals;
        }
    }
    return QStringLiteral("%.%1f").arg(decimals);
}

// Scale labels are digits only, at 9 pt to be read: a compact Latin face,
// since a label taller than the distance between two ticks is drawn as "..."
// and the Japanese faces are tall (ten divisions on a day-panel chart).
QFont LabelFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(9);
    return font;
}

void UpdateLabelFormat(QValueAxis *axis)
{
    const int divisions = std::max(1, axis->tickCount() - 1);
    axis->setLabelFormat(LabelFormatFor((axis->max() - axis->min()) / divisions));
}

// 1, 2, 5, 10, 20, 50 ... rows between labels of the row axis.
double RowLabelStep(int rows)
{
    constexpr int MaxLabels = 10;
    double step = 1;
    for (double decade = 1;; decade *= 10) {
        for (const double factor : {1.0, 2.0, 5.0}) {
            step = factor * decade;
            if (rows / step <= MaxLabels)
                return step;
        }
    }
}

} // namespace zz
