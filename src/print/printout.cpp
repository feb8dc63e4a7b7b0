#include "print/printout.h"

#include "base/clock.h"
#include "shell/dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace zz {

using namespace Qt::StringLiterals;

namespace {

bool &PdfAlways()
{
    static bool always = false;
    return always;
}

// A free name for the PDF: a second printout within the same second gets (2).
QString PdfPath(const QString &dir)
{
    const QString stem = u"印刷_"_s + Clock::now().toString(u"yyyyMMdd-HHmmss"_s);
    QString name = stem + u".pdf"_s;
    for (int n = 2; QFile::exists(QDir(dir).filePath(name)); ++n)
        name = stem + u"(%1).pdf"_s.arg(n);
    return QDir(dir).filePath(name);
}

// IPA Gothic, a monospaced Japanese face: the print zones line up, and a PDF
// keeps every digit, Latin letter and kanji as searchable text (with the Noto
// CJK faces Qt's PDF writer maps some kanji back to their radical look-alikes).
QFont PrintFont(double points)
{
    QFont font(u"IPAGothic"_s);
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(int(std::lround(points * 20))); // twips: 20 a point
    return font;
}

PrintMetrics MetricsFor(const QFont &font, QPrinter &printer)
{
    const QFontMetricsF fm(font);
    const double twipsPerPixel = 1440.0 / printer.resolution();
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    PrintMetrics m;
    m.zoneWidth = 14 * fm.averageCharWidth();
    m.lineHeight = fm.lineSpacing();
    m.pageWidth = page.width() * twipsPerPixel;
    m.pageHeight = page.height() * twipsPerPixel;
    m.textWidth = [fm](const QString &text) { return fm.horizontalAdvance(text); };
    return m;
}

// Gives the PDF written under its temporary name its own name, once it is
// known to be whole; a short or missing file is removed and reported.
PrintResult finishPdf(PrintResult result)
{
    const QString temp = result.pdfFile + u".tmp"_s;
    QFile file(temp);
    QByteArray tail;
    if (QFileInfo(temp).isFile() && file.open(QIODevice::ReadOnly)) {
        if (file.size() > 64)
            file.seek(file.size() - 64);
        tail = file.read(64);
        file.close();
    }
    const bool whole = result.ok && tail.trimmed().endsWith("%%EOF");
    if (whole && QFile::rename(temp, result.pdfFile))
        return result;
    QFile::remove(temp);
    result.ok = false;
    result.error = u"PDF ファイル「"_s + QDir::toNativeSeparators(result.pdfFile) +
                   u"」を保存できませんでした。ディスクの空き容量と書き込み権限を確かめてください。"_s;
    result.pdfFile.clear();
    return result;
}

} // namespace

namespace testing {
void SetPrintToPdfAlways(bool always)
{
    PdfAlways() = always;
}
} // namespace testing

PrintResult PrintOut(const Printout &printout, const QString &diaryDir)
{
    PrintResult result;
    QPrinter printer(QPrinter::HighResolution);
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (PdfAlways() || defaultPrinter.isNull()) {
        result.pdfFile = PdfPath(diaryDir);
        printer.setOutputFormat(QPrinter::PdfFormat);
        // Written under a temporary name and checked before it gets its own:
        // the PDF writer does not report a full disk.
        printer.setOutputFileName(result.pdfFile + u".tmp"_s);
        printer.setPageSize(QPageSize(QPageSize::A4));
    } else {
        printer.setPrinterName(defaultPrinter.printerName());
    }

    // Portrait at 9 points when every line fits; else landscape; else smaller.
    PrintPages pages;
    QFont font;
    bool fits = false;
    for (const QPageLayout::Orientation orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        printer.setPageOrientation(orientation);
        for (double points = 9; points >= 6 && !fits; points -= 0.5) {
            font = PrintFont(points);
            pages =
                LayOutPrintout(printout.header, printout.body, printout.startY, MetricsFor(font, printer));
            fits = pages.widest <= MetricsFor(font, printer).pageWidth;
        }
        if (fits)
            break;
    }

    QPainter painter;
    if (!painter.begin(&printer)) {
        result.error = u"印刷を開始できません。"_s;
        return result;
    }
    // Everything below is drawn in twips.
    painter.scale(printer.resolution() / 1440.0, printer.resolution() / 1440.0);
    painter.setFont(font);
    const QFontMetricsF fm(font);
    for (qsizetype p = 0; p < pages.pages.size(); ++p) {
        if (p > 0)
            printer.newPage();
        if (p == 0 && !printout.picture.isNull()) {
            // The chart at its size on screen (15 twips a pixel), made smaller
            // only where it would reach into the list.
            QSizeF size(printout.picture.width() * 15.0, printout.picture.height() * 15.0);
            const PrintMetrics page = MetricsFor(font, printer);
            const QSizeF room(std::min({size.width(), printout.pictureMaxWidth, page.pageWidth}),
                              std::min({size.height(), printout.pictureMaxHeight, page.pageHeight}));
            size = size.scaled(room, Qt::KeepAspectRatio);
            painter.drawPixmap(QRectF(QPointF(0, 0), size), printout.picture, printout.picture.rect());
        }
        for (const PlacedText &t : pages.pages[p])
            painter.drawText(QPointF(t.x, t.y + fm.ascent()), t.text);
    }
    result.ok = painter.end();
    if (!result.ok)
        result.error = u"印刷できませんでした。"_s;
    if (!result.pdfFile.isEmpty())
        result = finishPdf(result);
    return result;
}

void PrintWithConfirmation(QWidget *parent, const Printout &printout, const QString &diaryDir)
{
    if (!Dialogs::AskOkCancel(
            parent, u"印刷確認"_s,
            u"表示中のデータを印刷しますか？ \r\n\r\n良かったらＯＫボタンを押してください"_s,
            QMessageBox::Question, QMessageBox::Ok))
        return;
    const PrintResult result = PrintOut(printout, diaryDir);
    if (!result.ok) {
        Dialogs::Critical(parent, u"印刷"_s, result.error);
        return;
    }
    if (!result.pdfFile.isEmpty())
        Dialogs::Information(parent, u"印刷"_s,
                             u"プリンターが見つからないため、印刷内容を PDF ファイル「"_s +
                                 QDir::toNativeSeparators(result.pdfFile) + u"」に保存しました。"_s);
}

} // namespace zz
