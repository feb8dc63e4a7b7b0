#pragma once

#include "base/tablerow.h"
#include "views/common/wholeperiod.h"

#include <QList>
#include <QString>
#include <optional>

namespace zz {

// The four analyses of the whole history: rows of cell texts in, nothing
// kept. Each needs at least one record; the panel leaves a list as it was
// when the diary is empty.

// Headers and widths (twips) of msgB1 .. msgB4, set once at startup.
struct AnalysisListLayout
{
    QStringList headers;
    QList<int> widths;
};
QList<AnalysisListLayout> AnalysisListLayouts();

// Time series (msgB1): the difference to the previous measurement, or with
// `toFirst` to the first, rounded to 0.1 with halves upward.
struct TimeSeriesList
{
    QString differenceHeader; // "前回差" or "初回差"
    QList<TableRow> rows;
    QList<int> widestRows; // the rows of the extremes and the last row
};
TimeSeriesList ComputeTimeSeries(const WholeHistory &history, bool toFirst, ListRows rows = ListRows::Made);
// Row i (from 0) of that list alone.
TableRow TimeSeriesRow(const WholeHistory &history, bool toFirst, qsizetype i);

// Milestones (msgB2): each 0.5 kg lost since the first measurement, with the
// measurement that first reached it. A milestone within the rounded loss that
// was never reached keeps an empty row. No label when there is no milestone.
struct MilestoneList
{
    QList<TableRow> rows;
    std::optional<QString> label; // Label5(0)
};
MilestoneList ComputeMilestones(const WholeHistory &history);

// Running average (msgB3) and the streak of steps in which it did not rise.
struct AverageTrendList
{
    QList<TableRow> rows;
    QString label;         // Label5(1)
    QList<float> averages; // the running average after each measurement
    QList<int> widestRows; // the rows of the extremes and the last row
};
AverageTrendList ComputeAverageTrend(const WholeHistory &history, ListRows rows = ListRows::Made);
// Row i (from 0) of that list alone, from the running averages.
TableRow AverageTrendRow(const WholeHistory &history, const QList<float> &averages, qsizetype i);

// Weight bands of 1.0 or 0.5 kg ranked by how many measurements fell in them.
struct WeightRanking
{
    QString frameCaption; // fraB4
    QList<TableRow> rows;
};
WeightRanking ComputeWeightRanking(const WholeHistory &history, bool oneKiloBands);

} // namespace zz
