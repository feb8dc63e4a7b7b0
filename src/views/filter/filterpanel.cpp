#include "views/filter/filterpanel.h"

#include <QHBoxLayout>
#include <QListWidget>

namespace zz {

FilterPanel::FilterPanel(PanelHost &host, QWidget *parent)
    : Panel(QStringLiteral("fraTaijyu"), host, parent)
{
    auto *layout = new QHBoxLayout(this);
    lstAct2 = new QListWidget;
    lstAct2->setObjectName(QStringLiteral("lstAct2"));
    lstAct2->setMaximumWidth(220);
    layout->addWidget(lstAct2);
    layout->addStretch();
}

void FilterPanel::SetStatusList(const QStringList &statuses)
{
    lstAct2->clear();
    lstAct2->addItems(statuses);
}

} // namespace zz
