// Renders the program's SVG icon into the PNG sizes a desktop looks for:
//   zzicon <icon.svg> <output folder>   ->  <folder>/<size>/zumazuma.png

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3)
        return 2;
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid())
        return 1;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QString folder = QDir(QString::fromLocal8Bit(argv[2])).filePath(QString::number(size));
        if (!QDir().mkpath(folder) || !image.save(QDir(folder).filePath(QStringLiteral("zumazuma.png"))))
            return 1;
    }
    return 0;
}
