#include "store/diaryfiles.h"

#include <QDir>
#include <QFileInfo>

namespace zz {

QString ResolveDiaryFile(const QString &dir, const QString &name)
{
    const QDir directory(dir);
    const QString exact = directory.filePath(name);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries =
        directory.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return directory.filePath(entry);
    }
    return exact;
}

} // namespace zz
