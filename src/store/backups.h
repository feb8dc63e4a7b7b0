#pragma once

#include "store/storestatus.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace zz {

// Automatic backups of the diary: copies of "データ.txt", "ﾌﾟﾗｲﾍﾞｰﾄ.txt",
// "状況リスト.txt" and "気付きメモ.TXT" in "バックアップ/yyyymmdd-hhmmss/"
// inside the diary folder. A backup is written into a folder of its own name
// with ".tmp" appended and renamed when complete, so that a backup either
// exists whole or not at all.

inline const QString BackupFolderName = QStringLiteral("バックアップ");
inline constexpr int BackupsKept = 20;

struct BackupInfo
{
    QString name;       // "20080314-080500"
    QDateTime taken;    // from the name
    qint64 records = 0; // lines of its "データ.txt"
};

// The backups, newest first.
QList<BackupInfo> ListBackups(const QString &dir);

// Backs the diary up when its measurements or personal data differ from the
// newest backup (always with `force`), then keeps only the newest
// BackupsKept. `made` tells whether a backup was written.
StoreStatus BackUpDiary(const QString &dir, const QDateTime &now, bool force = false, bool *made = nullptr);

// Backs the current diary up, then puts the files of the backup `name` back.
StoreStatus RestoreBackup(const QString &dir, const QString &name, const QDateTime &now);

} // namespace zz
