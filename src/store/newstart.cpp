#include "store/newstart.h"

#include "store/diaryfiles.h"
#include "store/measurementfile.h"
#include "store/safefile.h"

#include <QDir>

namespace zz {

QString NewStartBackupName(const QString &name, const QDateTime &now)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = dot < 0 ? name : name.left(dot);
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    return stem + QStringLiteral("_新規スタート前_") + now.toString(QStringLiteral("yyyyMMdd-HHmmss")) +
           extension;
}

StoreStatus StartNewDiary(const QString &dir, const PersonalData &personal,
                          const MeasurementRecord &startRecord, const QDateTime &now)
{
    struct Kept
    {
        QString path;
        QByteArray bytes;
    };
    QList<Kept> kept;
    for (const QString &name : {FileNames::Measurements, FileNames::PersonalData}) {
        Kept file{ResolveDiaryFile(dir, name), {}};
        if (StoreStatus status = ReadWholeFile(file.path, file.bytes); !status)
            return status;
        const QString backup = QDir(dir).filePath(NewStartBackupName(name, now));
        if (StoreStatus status = ReplaceFile(backup, backup + QStringLiteral(".tmp"), file.bytes); !status)
            return status;
        kept.append(file);
    }

    StoreStatus status = WritePersonalData(dir, personal);
    if (status)
        status = CreateMeasurementFile(dir, startRecord);
    if (status)
        return status;
    // Put both files back; the copies stay in any case.
    for (const Kept &file : std::as_const(kept))
        ReplaceFile(file.path, file.path + QStringLiteral(".restore"), file.bytes);
    return status;
}

} // namespace zz
