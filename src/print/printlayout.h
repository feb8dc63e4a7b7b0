#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace zz {

// The printouts as lines of text placed on pages, in twips from the top-left
// corner of the printable area. Nothing is measured here: the printer side
// passes the widths of its font, so the same layout serves the printer, a PDF
// file and the tests.

// One printed line: `lead` at x, then each of `zoned` at the next print zone
// after the end of what came before (after `zoneFrom` when it is set, the
// position the line moves to before its zoned items).
struct PrintLine
{
    double x = 0;
    QString lead;
    double zoneFrom = -1;
    QStringList zoned;
};

struct PrintMetrics
{
    double zoneWidth = 0; // 14 average character widths
    double lineHeight = 0;
    double pageWidth = 0, pageHeight = 0;
    std::function<double(const QString &)> textWidth;
};

struct PlacedText
{
    double x = 0, y = 0;
    QString text;
    friend bool operator==(const PlacedText &, const PlacedText &) = default;
};

struct PrintPages
{
    QList<QList<PlacedText>> pages; // the chart picture goes on the first
    double widest = 0;              // the right edge of the widest text
};

// `header` lines start at `startY` and are repeated at the top of every
// following page; `body` lines follow, as many on a page as fit.
PrintPages LayOutPrintout(const QList<PrintLine> &header, const QList<PrintLine> &body, double startY,
                          const PrintMetrics &metrics);

// The two printouts' lines from the cells of the lists on show.
// Daily averages: date and average beside the chart, from x = 9000.
QList<PrintLine> DailyAverageHeader();
QList<PrintLine> DailyAverageLines(const QList<QStringList> &rows);
// The filtered view: below the chart from y = 5000; `composition` is the
// body-composition list (msgBunseki2), else the weight list (msgBunseki).
QList<PrintLine> FilteredHeader(bool composition);
QList<PrintLine> FilteredLines(const QList<QStringList> &rows, bool composition);

inline constexpr double DailyAverageX = 9000;
inline constexpr double FilteredListY = 5000;

} // namespace zz
