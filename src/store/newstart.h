#pragma once

#include "store/measurementrecord.h"
#include "store/smallfiles.h"
#include "store/storestatus.h"

#include <QDateTime>

namespace zz {

// New start replaces the whole diary: the personal data and a measurement
// file of the start record alone. Before it writes anything it keeps the old
// diary as "データ_新規スタート前_yyyymmdd-hhmmss.txt" and
// "ﾌﾟﾗｲﾍﾞｰﾄ_新規スタート前_yyyymmdd-hhmmss.txt" (complete and synced).
// When a copy or a write fails, both files are put back as they were and the
// failure names the file; nothing of the diary is lost either way.
StoreStatus StartNewDiary(const QString &dir, const PersonalData &personal,
                          const MeasurementRecord &startRecord, const QDateTime &now);

// A New start killed between its steps leaves its journal behind; the next
// start finishes it (when the new personal data were already written) or puts
// the old diary back from its copies, and `notice` says which. Nothing to do
// without a journal.
StoreStatus FinishInterruptedNewStart(const QString &dir, QString &notice);

// The name a file's copy gets: "データ.txt" -> "データ_新規スタート前_20261207-081500.txt".
QString NewStartBackupName(const QString &name, const QDateTime &now);

} // namespace zz
