#pragma once

#include "store/storestatus.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace zz {

// Helpers shared by the readers and writers of the diary's files.

// The name a message shows for the file at `path`: its name as found on disk.
QString ShownName(const QString &path);
// The same for the file `name` in `dir` (found case-insensitively).
QString ShownNameIn(const QString &dir, const QString &name);

// A text read from a file as a message quotes it: at most 80 characters (then
// "…"), control characters and NUL shown as "?", so a garbage file can neither
// flood a box nor hide text in it.
QString QuotedInMessage(QStringView text, qsizetype limit = 80);

// The longest first line a settings file is read to; a setting is a few
// characters, and a file of megabytes on one line is no setting.
inline constexpr qsizetype SettingLineLimit = 4096;

// The lines of a file without their line ends (CR LF, or a lone LF). A final
// line end does not start another line.
QList<QByteArrayView> SplitLines(QByteArrayView bytes);

// A small diary file read whole.
struct TextFile
{
    QString shownName;           // for messages
    QByteArray bytes;            // never changed after reading: `lines` point into it
    QList<QByteArrayView> lines; // as SplitLines gives them
};

// Reads the whole file `name` in `dir` (found case-insensitively). A missing
// file is a failure.
StoreStatus ReadTextFile(const QString &dir, const QString &name, TextFile &file);

// Decodes one line (or one field of it) of `fileName`; a failure names the line.
StoreStatus DecodeLine(QByteArrayView line, const QString &fileName, qint64 lineNumber, QString &text);

// The first `count` lines of `file`, decoded.
StoreStatus DecodeLines(const TextFile &file, qsizetype count, QStringList &texts);

// The fields of one line in the comma-separated convention, at most `limit` of
// them (all when negative: a fault in any field then counts). A malformed
// field is a failure naming the line.
StoreStatus ReadFields(QByteArrayView line, const QString &fileName, qint64 lineNumber,
                       QList<QByteArrayView> &fields, qsizetype limit = -1);

// Reads a settings file and the fields of its first line, at most `limit` of
// them. A file without lines lacks the setting `what` ("マーカーの設定がありません").
StoreStatus ReadFirstLineFields(const QString &dir, const QString &name, const QString &what, TextFile &file,
                                QList<QByteArrayView> &fields, qsizetype limit = -1);

// A setting held as a whole number on line 1: `text` converted as a whole and
// rounded to a 16-bit integer; anything else is a fault naming the setting `what`.
StoreStatus ReadSettingNumber(const QString &text, const QString &fileName, const QString &what, int &value);

// What a stored text may hold besides characters that code page 932 has.
enum class TextPlace {
    QuotedField, // neither a line break nor a double quote (there is no escape)
    PlainLine,   // no line break: a line as the user typed it
    FreeText,    // anything; the caller writes its line breaks as CR LF
};

// Encodes `text` for `place`. A character it may not hold is a failure of
// `fileName` that names the character and `what` the text is:
// "状況に保存できない文字「"」があります".
StoreStatus EncodeText(const QString &text, TextPlace place, const QString &fileName, const QString &what,
                       QByteArray &bytes);

// A line of a quoted label and its value: "身長",160 and CR LF.
QByteArray LabelledLine(const QString &label, const QByteArray &value);

// Replaces the whole file `name` in `dir` (found case-insensitively) through
// `tempName`, or the file's copy name ("設定.txt" -> "設定コピー.txt") when empty.
StoreStatus WriteDiaryFile(const QString &dir, const QString &name, const QByteArray &bytes,
                           const QString &tempName = {});

} // namespace zz
