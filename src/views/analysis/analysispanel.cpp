#include "views/analysis/analysispanel.h"

#include "ui/colours.h"
#include "ui/gridview.h"
#include "views/analysis/analyses.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zz {

AnalysisPanel::AnalysisPanel(PanelHost &host, QWidget *parent)
    : Panel(QStringLiteral("fraBunseki"), host, parent)
{
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const QString captions[] = {QStringLiteral("    時系列体重データ"), QStringLiteral("    区切り経過"),
                                QStringLiteral("    体重平均推移"),
                                QStringLiteral("    体重推移累積番付 < 0.5Kg刻み >")};
    const QString pictures[] = {
        QStringLiteral(":/analysis_series.svg"), QStringLiteral(":/analysis_flag.svg"),
        QStringLiteral(":/analysis_average.svg"), QStringLiteral(":/analysis_rank.svg")};
    auto option = [](const QString &name, const QString &caption) {
        auto *button = new QRadioButton(caption);
        button->setObjectName(name);
        return button;
    };
    auto label = [](const QString &name) {
        auto *l = new QLabel;
        l->setObjectName(name);
        l->setStyleSheet(HeadingStyle(QStringLiteral("font-weight: bold;")));
        return l;
    };
    Option1 = {option(QStringLiteral("Option1(0)"), QStringLiteral("前回との差")),
               option(QStringLiteral("Option1(1)"), QStringLiteral("初回との差"))};
    Option2 = {option(QStringLiteral("Option2(0)"), QStringLiteral("１.０Ｋｇ刻み")),
               option(QStringLiteral("Option2(1)"), QStringLiteral("０.５Ｋｇ刻み"))};
    Option1[0]->setChecked(true);
    Option2[1]->setChecked(true);
    Label5 = {label(QStringLiteral("Label5(0)")), label(QStringLiteral("Label5(1)"))};

    for (int i = 0; i < 4; ++i) {
        auto *frame = new QGroupBox(captions[i]);
        frame->setObjectName(i < 3 ? QStringLiteral("Frame8(%1)").arg(i) : QStringLiteral("fraB4"));
        if (i == 3)
            fraB4 = frame;
        auto *row = new QHBoxLayout(frame);
        auto *picture = new QLabel;
        picture->setObjectName(QStringLiteral("Image3(%1)").arg(i));
        picture->setAccessibleName(captions[i].trimmed());
        picture->setPixmap(QIcon(pictures[i]).pixmap(32, 32));
        picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
        row->addWidget(picture);
        auto *column = new QVBoxLayout;
        auto *grid = new GridView;
        grid->setObjectName(QStringLiteral("msgB%1").arg(i + 1));
        m_grids.append(grid);
        column->addWidget(grid, 1);
        if (i == 0 || i == 3) {
            auto *options = new QHBoxLayout;
            auto *group = new QButtonGroup(frame);
            for (QRadioButton *button : i == 0 ? Option1 : Option2) {
                group->addButton(button);
                options->addWidget(button);
            }
            options->addStretch();
            column->addLayout(options);
        } else {
            column->addWidget(Label5[i - 1]);
        }
        row->addLayout(column, 1);
        layout->addWidget(frame, i / 2, i % 2);
    }
    // A click on the selected option computes the same list again.
    for (QRadioButton *button : std::as_const(Option1))
        connect(button, &QRadioButton::clicked, this, [this] { FillTimeSeriesList(); });
    for (QRadioButton *button : std::as_const(Option2))
        connect(button, &QRadioButton::clicked, this, [this] { FillWeightRanking(); });
}

void AnalysisPanel::SetupAnalysisListColumns()
{
    const QList<AnalysisListLayout> layouts = AnalysisListLayouts();
    for (int i = 0; i < 4; ++i)
        m_grids[i]->resetColumns(layouts[i].headers, layouts[i].widths, 11);
}

void AnalysisPanel::PreparePanel()
{
    // The analyses read the whole history afresh each time the panel opens.
    if (const StoreStatus status = ReadWholeHistory(dir(), m_history); !status) {
        host().ReportReadFailure(status);
        return;
    }
    FillTimeSeriesList();
    FillMilestoneList();
    FillAverageTrendList();
    FillWeightRanking();
}

void AnalysisPanel::ReopenPanel()
{
    // The analyses were computed from the diary as it still is; opening
    // shows the three running lists at their end, the ranking at its top.
    for (int i = 0; i < 3; ++i)
        m_grids[i]->showEnd();
    m_grids[3]->setTopRow(1);
}

void AnalysisPanel::showRows(GridView *grid, const QList<TableRow> &rows)
{
    grid->gridModel()->setRows(rows);
    grid->showEnd();
}

void AnalysisPanel::FillTimeSeriesList()
{
    const WholeHistory &history = m_history;
    if (history.recordCount() == 0)
        return;
    const bool toFirst = Option1[1]->isChecked();
    const TimeSeriesList list = ComputeTimeSeries(history, toFirst, ListRows::Left);
    QStringList headers = AnalysisListLayouts()[0].headers;
    headers[3] = list.differenceHeader;
    m_grids[0]->gridModel()->setHeaders(headers);
    // The long lists make a row's texts only when it is shown.
    m_grids[0]->gridModel()->setRowSource(
        {int(history.recordCount()),
         [history, toFirst](int row) { return TimeSeriesRow(history, toFirst, row); }, list.widestRows});
    m_grids[0]->showEnd();
}

void AnalysisPanel::FillMilestoneList()
{
    const WholeHistory &history = m_history;
    if (history.recordCount() == 0)
        return;
    const MilestoneList list = ComputeMilestones(history);
    showRows(m_grids[1], list.rows);
    if (list.label)
        Label5[0]->setText(*list.label);
}

void AnalysisPanel::FillAverageTrendList()
{
    const WholeHistory &history = m_history;
    if (history.recordCount() == 0)
        return;
    const AverageTrendList list = ComputeAverageTrend(history, ListRows::Left);
    m_grids[2]->gridModel()->setRowSource(
        {int(history.recordCount()),
         [history, averages = list.averages](int row) { return AverageTrendRow(history, averages, row); },
         list.widestRows});
    m_grids[2]->showEnd();
    Label5[1]->setText(list.label);
}

void AnalysisPanel::FillWeightRanking()
{
    const WholeHistory &history = m_history;
    if (history.recordCount() == 0)
        return;
    const WeightRanking ranking = ComputeWeightRanking(history, Option2[0]->isChecked());
    fraB4->setTitle(ranking.frameCaption);
    m_grids[3]->gridModel()->setRows(ranking.rows);
}

} // namespace zz
