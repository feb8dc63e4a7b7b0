#pragma once

#include "shell/panel.h"
#include "views/common/bmi.h"
#include "views/history/daylist.h"

#include <QDate>
#include <QList>

class QLabel;
class QRadioButton;

namespace zz {

class ChartView;
class EntryArea;
class GridView;

// fraMain: the entry area on the left, and the day chosen in the calendar on
// the right: the two day lists, the face mark, the progress summary, the BMI
// class and the four day charts. RefreshDayList keeps it current; it owns the
// day-list values and markerMode in the shared values.
class MainPanel : public Panel
{
    Q_OBJECT
public:
    explicit MainPanel(PanelHost &host, QWidget *parent = nullptr);

    EntryArea *entryArea() const { return m_entry; }

    void RefreshDayList();
    void SetupDayListColumns();
    void ApplyMarkerStyle();
    void ClassifyBmi();
    // Startup steps: the chart captions emptied, the point labels off, the
    // mixed chart selected, the main chart redrawn.
    void ClearChartCaptions();
    void SelectMixedChart();
    void RedrawMainChart();

public slots:
    // A heading label (lblTaijyu .. lblKins, or "Label1" for any member of that
    // array) switches the second day list and the charts.
    void headingLabelClick(const QString &label);

signals:
    // The current measurement was classified; the BMI meter follows.
    void bmiClassified(const zz::BmiClassification &classification);

private:
    QWidget *buildDayArea();
    void applyDayList(const DayListResult &result);
    void showTrend(const QList<MeasurementRecord> &records);
    void buildCompositionCharts(const CompositionSeries &values);
    void mcrMain_DblClick();
    void optTai_Click();
    void optShi_Click();
    void optKon_Click();

    EntryArea *m_entry = nullptr;
    GridView *msgDayList = nullptr, *msgDayList2 = nullptr;
    QList<qsizetype> m_rowRecords; // the file position of each listed record
    QString m_rowDate;
    ChartView *mcrMain = nullptr, *mcrMain2 = nullptr, *mcrMain3 = nullptr, *mcrMain4 = nullptr;
    QLabel *lblG1 = nullptr, *lblG2 = nullptr;
    QLabel *lblDspNissuu = nullptr, *lblDspTai = nullptr, *lblDspBmi = nullptr, *lblDspHiman = nullptr;
    QLabel *lblTrend = nullptr, *lblForecast = nullptr;
    QLabel *imgwara = nullptr, *imgniko = nullptr, *imgkana = nullptr, *imgNashi = nullptr;
    QLabel *lblMHyouka = nullptr, *Image1 = nullptr;
    QList<QLabel *> Shape1;
    QRadioButton *optTai = nullptr, *optShi = nullptr, *optKon = nullptr;
};

} // namespace zz
