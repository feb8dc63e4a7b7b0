#include "print/printlayout.h"

#include <cmath>

namespace zz {

using namespace Qt::StringLiterals;

namespace {

// The first print zone strictly after `x`.
double NextZone(double x, double zoneWidth)
{
    return (std::floor(x / zoneWidth) + 1) * zoneWidth;
}

// The texts of one line at their positions; `right` gets its right edge.
QList<PlacedText> PlaceLine(const PrintLine &line, double y, const PrintMetrics &m, double &right)
{
    QList<PlacedText> placed;
    double x = line.x;
    if (!line.lead.isEmpty()) {
        placed.append(PlacedText{x, y, line.lead});
        x += m.textWidth(line.lead);
    }
    // A long status would run into the first value: the values then start
    // after it rather than over it.
    if (line.zoneFrom >= 0)
        x = std::max(x, line.zoneFrom);
    for (const QString &text : line.zoned) {
        x = NextZone(x, m.zoneWidth);
        if (!text.isEmpty())
            placed.append(PlacedText{x, y, text});
        x += m.textWidth(text);
    }
    right = std::max(right, x);
    return placed;
}

} // namespace

PrintPages LayOutPrintout(const QList<PrintLine> &header, const QList<PrintLine> &body, double startY,
                          const PrintMetrics &m)
{
    PrintPages out;
    out.pages.append(QList<PlacedText>());
    double y = startY;
    const auto put = [&](const PrintLine &line) {
        out.pages.last() += PlaceLine(line, y, m, out.widest);
        y += m.lineHeight;
    };
    for (const PrintLine &line : header)
        put(line);
    for (const PrintLine &line : body) {
        if (y + m.lineHeight > m.pageHeight && y > 0) {
            // A new page repeats the header at the same place from the top.
            out.pages.append(QList<PlacedText>());
            y = 0;
            for (const PrintLine &h : header)
                put(h);
        }
        put(line);
    }
    return out;
}

QList<PrintLine> DailyAverageHeader()
{
    return {{DailyAverageX, u"　日付け    　  体重"_s, -1, {}}, {DailyAverageX, QString(19, u'-'), -1, {}}};
}

QList<PrintLine> DailyAverageLines(const QList<QStringList> &rows)
{
    QList<PrintLine> lines;
    lines.reserve(rows.size());
    for (const QStringList &row : rows)
        lines.append({DailyAverageX, row.value(1), -1, {row.value(2)}});
    return lines;
}

QList<PrintLine> FilteredHeader(bool composition)
{
    if (composition)
        return {
            {0,
             u"　日付け    　　  状況　　　    　  　　  　　　体重　 　体脂肪率　    　基礎代謝 　  内臓脂肪　　 筋肉量　　筋肉レベル　　 　骨量"_s,
             -1,
             {}},
            {0, QString(101, u'-'), -1, {}}};
    return {
        {0,
         u"　日付け    　　  状況　　　    　  　　  　　　体重　  　　ＢＭＩ　    　　肥満度 　  体脂肪率"_s,
         -1,
         {}},
        {0, QString(68, u'-'), -1, {}}};
}

QList<PrintLine> FilteredLines(const QList<QStringList> &rows, bool composition)
{
    static const QList<int> weightColumns{4, 9, 10, 11};
    static const QList<int> compositionColumns{4, 5, 6, 7, 8, 9, 10};
    const QList<int> &columns = composition ? compositionColumns : weightColumns;
    QList<PrintLine> lines;
    lines.reserve(rows.size());
    for (const QStringList &row : rows) {
        PrintLine line{0, row.value(1) + u"　　"_s + row.value(3), 3000, {}};
        for (int c : columns)
            line.zoned.append(row.value(c));
        lines.append(line);
    }
    return lines;
}

} // namespace zz
