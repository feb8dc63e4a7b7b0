#pragma once

#include "app/panel.h"

class QListWidget;

namespace zz {

// fraTaijyu: the measurements restricted by status, weekday and period, as
// lists and charts. Its status list lstAct2 is filled with the others.
class FilterPanel : public Panel
{
    Q_OBJECT
public:
    explicit FilterPanel(PanelHost &host, QWidget *parent = nullptr);

    void SetStatusList(const QStringList &statuses);

private:
    QListWidget *lstAct2 = nullptr;
};

} // namespace zz
