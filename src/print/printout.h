#pragma once

#include "print/printlayout.h"

#include <QPixmap>
#include <QString>

class QWidget;

namespace zz {

// Prints a chart picture in the top-left corner and lines of text on the
// default printer; without a printer the same pages go into a PDF file
// "印刷_yyyymmdd-hhmmss.pdf" in the diary folder. The font size and the
// orientation are chosen so that every line fits the printable width.
struct Printout
{
    QPixmap picture;
    // The room the picture may take (twips): the list beside or below it.
    double pictureMaxWidth = 0, pictureMaxHeight = 0;
    QList<PrintLine> header, body;
    double startY = 0;
};

struct PrintResult
{
    bool ok = false;
    QString pdfFile; // the PDF written when there was no printer
    QString error;
};
PrintResult PrintOut(const Printout &printout, const QString &diaryDir);

// The confirmation and the printout of a panel, with the messages the user sees.
void PrintWithConfirmation(QWidget *parent, const Printout &printout, const QString &diaryDir);

namespace testing {
// Tests write PDF files even on a machine that has a printer.
void SetPrintToPdfAlways(bool always);
} // namespace testing

} // namespace zz
