#include "views/history/wholeperiodpanel.h"

#include "app/eventhooks.h"
#include "entry/entrylogic.h"
#include "store/settingsfiles.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace zz {

WholePeriodPanel::WholePeriodPanel(PanelHost &host, QWidget *parent)
    : Panel(QStringLiteral("fraRenTai"), host, parent)
{
    auto *layout = new QHBoxLayout(this);
    auto *caption = new QLabel(QStringLiteral("移動平均"));
    cboIdou = new QComboBox;
    cboIdou->setObjectName(QStringLiteral("cboIdou"));
    cboIdou->setEditable(true);
    cboIdou->setInsertPolicy(QComboBox::NoInsert);
    cboIdou->setMinimumWidth(80);
    layout->addWidget(caption, 0, Qt::AlignTop);
    layout->addWidget(cboIdou, 0, Qt::AlignTop);
    layout->addStretch();
    connect(cboIdou, &QComboBox::activated, this, [this] { cboIdou_Click(); });
    OnEnter(cboIdou, [this] { cboIdou_Click(); });
}

void WholePeriodPanel::LoadMovingAverageWidth()
{
    cboIdou->clear();
    for (int i = 1; i <= 30; ++i)
        cboIdou->addItem(QString::number(i));
    QString width;
    host().ReportReadFailure(ReadMovingAverageWidth(dir(), width));
    cboIdou->setEditText(width);
}

void WholePeriodPanel::cboIdou_Click()
{
    const QString text = cboIdou->currentText();
    if (text.isEmpty())
        return;
    if (!MovingAverageWidthAccepted(text)) {
        cboIdou->setEditText(QString());
        return;
    }
    RedrawWholePeriodChart();
    const StoreStatus status = WriteMovingAverageWidth(dir(), text);
    if (!status)
        host().ReportStoreFailure(status);
}

void WholePeriodPanel::RedrawWholePeriodChart()
{
    // The whole-period chart is drawn from the history the panel loaded; the
    // panel comes with its own chart.
}

} // namespace zz
