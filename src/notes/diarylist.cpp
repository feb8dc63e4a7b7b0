#include "notes/diarylist.h"

#include "base/displayformats.h"
#include "base/numbers.h"

namespace zz {

using namespace Qt::StringLiterals;

TableRow DiaryRow(const QList<MeasurementRecord> &records, qsizetype i)
{
    const MeasurementRecord &rec = records[i];
    const float change = i == 0 ? 0.0f : rec.weight - records[i - 1].weight;
    ChangeMark mark{u"→"_s, Colors::PaleYellow};
    if (change > 0)
        mark = {u"↑"_s, Colors::PaleRed};
    else if (change < 0)
        mark = {u"↓"_s, Colors::PaleGreen};
    TableRow row;
    row.cells = QStringList{QString::number(i + 1),
                            rec.date,
                            rec.status,
                            NumberText(rec.weight),
                            FormatOneDecimal(change),
                            mark.mark,
                            NumberText(rec.bodyFat),
                            rec.comment,
                            NumberText(int(rec.basalMetabolism)),
                            NumberText(int(rec.visceralFat)),
                            NumberText(rec.muscleMass),
                            NumberText(int(rec.muscleScore)),
                            NumberText(rec.boneMass)};
    row.backgrounds.insert(5, mark.background);
    return row;
}

QList<TableRow> ComputeDiaryRows(const QList<MeasurementRecord> &records)
{
    QList<TableRow> rows;
    rows.reserve(records.size());
    for (qsizetype i = 0; i < records.size(); ++i)
        rows.append(DiaryRow(records, i));
    return rows;
}

QList<int> DiaryWidestRows(const QList<MeasurementRecord> &records)
{
    // The rows of the lowest and highest weight, change and body fat, the
    // longest status and comment, and the last row.
    QList<int> rows;
    if (records.isEmpty())
        return rows;
    const auto widest = [&](auto key, bool highest) {
        qsizetype best = 0;
        for (qsizetype i = 1; i < records.size(); ++i)
            if (highest ? key(i) > key(best) : key(i) < key(best))
                best = i;
        if (!rows.contains(int(best)))
            rows.append(int(best));
    };
    const auto weight = [&](qsizetype i) { return records[i].weight; };
    const auto change = [&](qsizetype i) {
        return i == 0 ? 0.0f : records[i].weight - records[i - 1].weight;
    };
    const auto fat = [&](qsizetype i) { return records[i].bodyFat; };
    const auto status = [&](qsizetype i) { return records[i].status.size(); };
    const auto comment = [&](qsizetype i) { return records[i].comment.size(); };
    for (bool highest : {false, true}) {
        widest(weight, highest);
        widest(change, highest);
        widest(fat, highest);
    }
    widest(status, true);
    widest(comment, true);
    if (!rows.contains(int(records.size() - 1)))
        rows.append(int(records.size() - 1));
    return rows;
}

QStringList DiaryListHeaders()
{
    return {u"回数"_s, u"日付"_s, u"行動"_s, u"体重"_s,
            u"前差"_s, u"差"_s,   u"脂肪"_s, u"一言日記（言い訳など）"_s,
            QString(), QString(), QString(), QString(),
            QString()};
}

QList<int> DiaryListWidths()
{
    return {580, 1090, 1840, 550, 550, 330, 550, 5560, 0, 0, 0, 0, 0};
}

} // namespace zz
