#pragma once

#include "store/storestatus.h"

#include <QString>
#include <QStringList>

namespace zz {

// The user's height and target, and the name shown in the window title:
// "ﾌﾟﾗｲﾍﾞｰﾄ.txt", three lines of a quoted label and a value, read by position.
struct PersonalData
{
    QString userName;
    float heightCm = 0;
    float targetWeight = 0;

    friend bool operator==(const PersonalData &, const PersonalData &) = default;
};

StoreStatus ReadPersonalData(const QString &dir, PersonalData &data);
StoreStatus WritePersonalData(const QString &dir, const PersonalData &data);
// The bytes WritePersonalData writes.
StoreStatus PersonalDataBytes(const QString &dir, const PersonalData &data, QByteArray &bytes);

// "状況リスト.txt": one status per line, quoted or plain. Read as a stream of
// comma-separated fields, so a plain line holding a comma gives two statuses
// while a quoted one stays whole; blanks before a field are dropped.
StoreStatus ReadStatusList(const QString &dir, QStringList &statuses);
// Appends one line: quoted (the main panel's free status) or plain (the edit panel).
StoreStatus AppendStatusQuoted(const QString &dir, const QString &status);
StoreStatus AppendStatusPlain(const QString &dir, const QString &status);
// Rewrites the whole list, one plain line per status (delete, re-order).
StoreStatus WriteStatusListPlain(const QString &dir, const QStringList &statuses);
// Rewrites the whole list quoted, through "状況リストＣＨＧ.txt" (rename).
StoreStatus WriteStatusListQuoted(const QString &dir, const QStringList &statuses);

// "気付きメモ.txt": the memo as typed, followed by one CR LF. Reading joins the
// lines with CR LF and drops the one trailing CR LF, so a memo reads back as it
// was written. Line breaks inside the memo are stored as CR LF.
StoreStatus ReadNoticeMemo(const QString &dir, QString &memo);
StoreStatus WriteNoticeMemo(const QString &dir, const QString &memo);

// "マーカー.TXT": one whole number, the marker style of the day charts (0, 1, 2).
StoreStatus ReadMarkerSetting(const QString &dir, int &markerMode);
StoreStatus WriteMarkerSetting(const QString &dir, int markerMode);

} // namespace zz
