#pragma once

#include "store/smallfiles.h"
#include "store/storestatus.h"

#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QStringList>

#include <QString>

namespace zz {

// What the program finds in its directory at startup, after OpenDiary.
struct DiaryOpenResult
{
    StoreStatus status;           // a failure stops the program; nothing was written
    bool sampleInstalled = false; // the directory had no diary: the sample was copied in
    QString notice;               // something the user should be told (a torn last line
                                  // moved to "データ_破損行.txt"), empty otherwise
};

// Prepares the diary directory before anything reads it:
// - with neither "データ.txt" nor "ﾌﾟﾗｲﾍﾞｰﾄ.txt" present, the sample diary that
//   ships with the program is copied in (code page 932, CR LF);
// - a missing settings, marker, status-list or memo file is created in its
//   natural state (empty list, empty memo, marker 0, help tour on, increments
//   0.1 and 0.1, moving-average width 10, automatic time off);
// - "データ.txt" missing beside "ﾌﾟﾗｲﾍﾞｰﾄ.txt" (or the other way round), an
//   empty "データ.txt" or a malformed line is a failure naming file, line and
//   fault, and no file is written;
// - only a last line without CR LF that is incomplete (an interrupted append)
//   is cut off into "データ_破損行.txt"; the diary then opens with a notice.
DiaryOpenResult OpenDiary(const QString &dir);

// Only the first step of OpenDiary: copies the sample diary in when the
// directory has neither "データ.txt" nor "ﾌﾟﾗｲﾍﾞｰﾄ.txt", and does nothing
// otherwise. For a startup that has work to do between installing and checking
// (the import of older data files replaces the sample's measurements); OpenDiary
// afterwards finds the diary in place.
DiaryOpenResult InstallSampleIfNoDiary(const QString &dir);

// The diary's text files (measurements, personal data, status list, memo) in
// `dir` that were saved as UTF-8 (with a BOM, or valid UTF-8 holding non-ASCII
// text) instead of code page 932, by their names on disk.
QStringList FilesSavedAsUtf8(const QString &dir);
bool LooksLikeUtf8(QByteArrayView bytes);

// Converts the diary file `name` from UTF-8 to code page 932, after keeping it
// as "<name>_UTF8_yyyymmdd-hhmmss.<ext>".
StoreStatus ConvertUtf8File(const QString &dir, const QString &name, const QDateTime &now);

// The installed sample diary. A diary is the sample while its personal data
// still hold the sample's name, height and target and its first record is the
// sample's first; the sample is then shown at its most telling day.
QString SampleUserName();
inline constexpr float SampleHeightCm = 168.5f;
inline constexpr float SampleTargetWeight = 65.0f;
QString SampleStartDate(); // "2004/03/14"
QDate SampleShownDate();   // 2004/03/28
bool IsSampleDiary(const PersonalData &personal, const QString &firstRecordDate);

} // namespace zz
