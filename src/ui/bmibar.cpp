#include "ui/bmibar.h"

#include "ui/gridview.h"

#include <QIcon>
#include <QLabel>

namespace zz {

QString BackgroundStyle(const Rgb &rgb, const QString &extra)
{
    return QStringLiteral("background-color: rgb(%1, %2, %3); color: black; %4")
        .arg(rgb.r)
        .arg(rgb.g)
        .arg(rgb.b)
        .arg(extra);
}

QWidget *BmiColourBar(const QString &shapeName, QList<QLabel *> &parts, QLabel *&pointer,
                      const QString &pointerName, double twipsPerPoint)
{
    static const float borders[] = {17.0f, 20.0f, 24.0f, 26.4f, 30.0f, 32.0f};
    static const Rgb colours[] = {Colors::PaleCyan, Colors::PaleGreen, Colors::PaleYellow,
                                  Colors::PaleMagenta, Colors::PaleRed};
    auto *bar = new QWidget;
    const int pointerWidth = TwipsToPixels(480);
    const int pointerHeight = 14;
    const int barHeight = 14;
    auto x = [&](float bmi) { return TwipsToPixels(240 + (bmi - 17.0) * twipsPerPoint); };
    for (int i = 0; i < 5; ++i) {
        auto *part = new QLabel(bar);
        part->setObjectName(QStringLiteral("%1(%2)").arg(shapeName).arg(i));
        part->setGeometry(x(borders[i]), pointerHeight, x(borders[i + 1]) - x(borders[i]), barHeight);
        part->setStyleSheet(BackgroundStyle(colours[i], QStringLiteral("border: 1px solid #808080;")));
        part->setAccessibleName(
            QStringLiteral("ＢＭＩ %1～%2 の色").arg(double(borders[i])).arg(double(borders[i + 1])));
        part->setAccessibleDescription(QStringLiteral("ＢＭＩ判定の色の帯"));
        parts.append(part);
    }
    pointer = new QLabel(bar);
    pointer->setAccessibleName(QStringLiteral("ＢＭＩの位置"));
    pointer->setAccessibleDescription(QStringLiteral("色の帯の上で今のＢＭＩを指します"));
    pointer->setObjectName(pointerName);
    pointer->setPixmap(QIcon(QStringLiteral(":/pointer.svg")).pixmap(pointerWidth, pointerHeight));
    pointer->setGeometry(x(24.0f) - pointerWidth / 2, 0, pointerWidth, pointerHeight);
    bar->setFixedSize(x(32.0f) + pointerWidth / 2 + 2, pointerHeight + barHeight + 2);
    return bar;
}

void PlaceBmiPointer(QWidget *pointer, QWidget *middlePart, double offsetTwips)
{
    pointer->move(middlePart->x() + TwipsToPixels(offsetTwips), pointer->y());
}

} // namespace zz
