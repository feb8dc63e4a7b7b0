#include "store/storestatus.h"

namespace zz {

QString StoreStatus::userText() const
{
    if (ok)
        return {};
    if (line > 0)
        return QStringLiteral("%1 の %2 行目: %3").arg(fileName).arg(line).arg(fault);
    return QStringLiteral("%1: %2").arg(fileName, fault);
}

} // namespace zz
