#include "shell/statuslistmodel.h"

namespace zz {

void StatusListModel::append(const QString &status)
{
    const int row = rowCount();
    insertRows(row, 1);
    setData(index(row), status);
    emit statusAppended(status);
}

} // namespace zz
