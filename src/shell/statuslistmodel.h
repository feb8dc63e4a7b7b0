#pragma once

#include <QStringListModel>

namespace zz {

// The status list as every status choice shows it: one model for all the
// lists, changed only by the window (a new list, or one status added at the
// end).
class StatusListModel : public QStringListModel
{
    Q_OBJECT
public:
    using QStringListModel::QStringListModel;

    void append(const QString &status);

signals:
    // After `status` was added as the last entry.
    void statusAppended(const QString &status);
};

} // namespace zz
