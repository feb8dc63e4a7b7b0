#include "views/average/averagepanel.h"

#include "print/printout.h"
#include "shell/dialogs.h"
#include "store/diaryfiles.h"
#include "store/measurementfile.h"
#include "ui/chartview.h"
#include "ui/colours.h"
#include "ui/datebox.h"
#include "ui/gridview.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QVBoxLayout>

#include <numeric>

namespace zz {

using namespace Qt::StringLiterals;

AveragePanel::AveragePanel(PanelHost &host, QWidget *parent) : Panel(u"fraAvgTai"_s, host, parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *bar = new QHBoxLayout;
    bar->addWidget(new QLabel(u"期間"_s));
    cboStdate2 = new QComboBox;
    cboStdate2->setObjectName(u"cboStdate2"_s);
    cboEddate2 = new QComboBox;
    cboEddate2->setObjectName(u"cboEddate2"_s);
    m_days = new QStringListModel(this);
    for (QComboBox *box : {cboStdate2, cboEddate2})
        MakeDateBox(box, m_days);
    bar->addWidget(cboStdate2);
    bar->addWidget(new QLabel(u"～"_s));
    bar->addWidget(cboEddate2);
    const struct
    {
        const char16_t *name, *caption, *toolTip;
    } buttons[] = {{u"cmdKikanF2", u"期間表示", u"指定した期間で表示"},
                   {u"cmdAvgHozon", u"保存", u"平均データを保存"},
                   {u"cmdAvgPri", u"印刷", u"平均データを印刷"}};
    QList<QPushButton *> made;
    for (const auto &b : buttons) {
        auto *button = new QPushButton(QString::fromUtf16(b.caption));
        button->setObjectName(QString::fromUtf16(b.name));
        button->setToolTip(QString::fromUtf16(b.toolTip));
        bar->addWidget(button);
        made.append(button);
    }
    bar->addSpacing(16);
    // The averaging unit; every opening starts by the day.
    const QString units[] = {u"日毎"_s, u"週毎"_s, u"月毎"_s};
    for (int i = 0; i < 3; ++i) {
        auto *option = new QRadioButton(units[i]);
        option->setObjectName(u"optAvgUnit(%1)"_s.arg(i));
        connect(option, &QRadioButton::clicked, this, [this, i] { optAvgUnit_Click(i); });
        bar->addWidget(option);
        optAvgUnit.append(option);
    }
    bar->addStretch();
    connect(made[0], &QPushButton::clicked, this, [this] { cmdKikanF2_Click(); });
    connect(made[1], &QPushButton::clicked, this, [this] { cmdAvgHozon_Click(); });
    connect(made[2], &QPushButton::clicked, this, [this] { cmdAvgPri_Click(); });
    layout->addLayout(bar);

    auto *body = new QHBoxLayout;
    msgAvgtai = new GridView;
    msgAvgtai->setObjectName(u"msgAvgtai"_s);
    body->addWidget(msgAvgtai);
    mcrAvgtai = new ChartView;
    mcrAvgtai->setObjectName(u"mcrAvgtai"_s);
    mcrAvgtai->setSeries({{u"日平均体重"_s, QuantityColour(Quantity::Weight), ChartAxis::Left}});
    body->addWidget(mcrAvgtai, 1);
    layout->addLayout(body, 1);
}

void AveragePanel::PreparePanel()
{
    m_unit = AverageUnit::Day;
    optAvgUnit[0]->setChecked(true);
    SetupAverageGrid();
    ShowDailyAverages();
}

void AveragePanel::ReopenPanel()
{
    if (!m_showsEveryDay) {
        PreparePanel();
        return;
    }
    // The list already holds the average of every day: only what opening resets.
    ShowWholePeriod(cboStdate2, cboEddate2, m_days->stringList());
    msgAvgtai->setTopRow(1);
}

void AveragePanel::SetupAverageGrid()
{
    const QList<int> widths = AverageListWidths(m_unit);
    msgAvgtai->resetColumns(AverageListHeaders(m_unit), widths, 9);
    // The list is as wide as its columns and a scroll bar.
    msgAvgtai->setFixedWidth(TwipsToPixels(std::accumulate(widths.cbegin(), widths.cend(), 400)));
    msgAvgtai->gridModel()->setColumnAlignment(1, Qt::AlignCenter);
}

void AveragePanel::optAvgUnit_Click(int index)
{
    m_unit = index == 1 ? AverageUnit::Week : index == 2 ? AverageUnit::Month : AverageUnit::Day;
    SetupAverageGrid();
    show(std::nullopt);
}

bool AveragePanel::show(const std::optional<AveragePeriod> &period)
{
    m_showsEveryDay = false;
    QList<MeasurementRecord> records;
    const StoreStatus status = ReadMeasurements(dir(), records);
    if (!status) {
        host().ReportReadFailure(status);
        return false;
    }
    if (m_unit != AverageUnit::Day) {
        const PeriodAverageView view = ComputePeriodAverages(records, m_unit, period);
        m_exported = view.exported;
        showRows(view.rows, view.points, view.y);
        return true;
    }
    const DailyAverageView view = ComputeDailyAverages(records, period, ListRows::Left);
    // The list makes a row's texts only when it is shown.
    DailyAverageView rows;
    rows.firstRowDay = view.firstRowDay;
    rows.rowAverages = view.rowAverages;
    msgAvgtai->gridModel()->setRowSource({int(rows.rowAverages.size()),
                                          [rows](int row) { return DailyAverageRow(rows, row); },
                                          view.widestRows});
    showChart(view.points, view.y);
    m_showsEveryDay = !period;
    if (!period) {
        // Both lists hold every day: one model, filled in one call.
        m_days->setStringList(view.days);
        ShowWholePeriod(cboStdate2, cboEddate2, view.days);
    }
    return true;
}

void AveragePanel::showRows(const QList<TableRow> &rows, const QList<std::optional<double>> &points,
                            const AxisScale &y)
{
    msgAvgtai->gridModel()->setRows(rows);
    showChart(points, y);
}

void AveragePanel::showChart(const QList<std::optional<double>> &points, const AxisScale &y)
{
    mcrAvgtai->setRowCount(0);
    mcrAvgtai->setRowCount(std::max(1, int(points.size())));
    mcrAvgtai->setSeriesValues(1, points);
    mcrAvgtai->setAxisScale(ChartAxis::Left, y.min, y.max);
}

void AveragePanel::ShowDailyAverages()
{
    show(std::nullopt);
}

void AveragePanel::ShowDailyAveragesForPeriod(const AveragePeriod &period)
{
    show(period);
}

void AveragePanel::cmdKikanF2_Click()
{
    const std::optional<QDate> start = ParseAveragePeriodDate(cboStdate2->currentText());
    const std::optional<QDate> end = ParseAveragePeriodDate(cboEddate2->currentText());
    if (!start || !end || *end < *start) {
        Dialogs::Exclamation(
            this, u"期間指定エラー"_s,
            u"期間の指定が正しくありません。開始日と終了日を yy/mm/dd の形で入力し、開始日は終了日より前にしてください。"_s);
        return;
    }
    SetupAverageGrid();
    ShowDailyAveragesForPeriod({*start, *end});
}

void AveragePanel::cmdAvgPri_Click()
{
    Printout printout;
    printout.picture = mcrAvgtai->picture();
    printout.pictureMaxWidth = DailyAverageX - 200;
    printout.pictureMaxHeight = 1e9;
    printout.header = DailyAverageHeader();
    printout.body = DailyAverageLines(GridTexts(msgAvgtai));
    PrintWithConfirmation(this, printout, dir());
}

void AveragePanel::cmdAvgHozon_Click()
{
    if (m_unit != AverageUnit::Day) {
        const QString name =
            m_unit == AverageUnit::Week ? FileNames::WeeklyAverageExport : FileNames::MonthlyAverageExport;
        if (const StoreStatus status = WritePeriodAverageExport(dir(), name, m_exported); !status) {
            host().ReportStoreFailure(status);
            return;
        }
        Dialogs::Information(
            this, u"保存終了"_s,
            name + u" のファイル名で保存しました。 エクセルなどの表計算ソフトにも読み込めます。"_s);
        return;
    }
    // The rows on show, as the grid holds them.
    QList<TableRow> rows;
    for (const QStringList &cells : GridTexts(msgAvgtai))
        rows.append({cells, {}});
    const StoreStatus status = WriteDailyAverageExport(dir(), ExportedDays(rows));
    if (!status) {
        host().ReportStoreFailure(status);
        return;
    }
    Dialogs::Information(
        this, u"保存終了"_s,
        u"日毎平均.txt のファイル名で保存しました。 エクセルなどの表計算ソフトにも読み込めます。"_s);
}

} // namespace zz
