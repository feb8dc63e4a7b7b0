#pragma once

#include <QString>

namespace zz {

// The diary's files, all in one directory (the working directory of the
// program). Names are matched case-insensitively, as the diary's files were
// written by programs that did not care: "気付きメモ.TXT" and "気付きメモ.txt"
// are one file.
namespace FileNames {
inline const QString Measurements = QStringLiteral("データ.txt");
inline const QString MeasurementsInsertTemp = QStringLiteral("データコピー.txt");
inline const QString MeasurementsRenameTemp = QStringLiteral("データＣＨＧ.txt");
inline const QString MeasurementsTornLines = QStringLiteral("データ_破損行.txt");
inline const QString StatusList = QStringLiteral("状況リスト.txt");
inline const QString StatusListRenameTemp = QStringLiteral("状況リストＣＨＧ.txt");
inline const QString NoticeMemo = QStringLiteral("気付きメモ.TXT");
inline const QString PersonalData = QStringLiteral("ﾌﾟﾗｲﾍﾞｰﾄ.txt");
inline const QString Marker = QStringLiteral("マーカー.TXT");
inline const QString HelpTour = QStringLiteral("設定.txt");
inline const QString Increments = QStringLiteral("体重計刻み.txt");
inline const QString MovingAverage = QStringLiteral("移動平均.TXT");
inline const QString AutoTime = QStringLiteral("自動時間.TXT");
inline const QString DailyAverageExport = QStringLiteral("日毎平均.txt");
inline const QString WeeklyAverageExport = QStringLiteral("週毎平均.txt");
inline const QString MonthlyAverageExport = QStringLiteral("月毎平均.txt");
} // namespace FileNames

// The path of `name` in `dir`: an existing file whose name matches
// case-insensitively, else dir/name as given.
QString ResolveDiaryFile(const QString &dir, const QString &name);

} // namespace zz
