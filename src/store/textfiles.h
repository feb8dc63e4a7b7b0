#pragma once

#include "store/storestatus.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace zz {

// Helpers shared by the readers and writers of the small diary files.

// The temporary file beside `name` for a whole-file rewrite when the file has
// no temporary name of its own: "設定.txt" -> "設定コピー.txt".
QString CopyPathFor(const QString &dir, const QString &name);

// The lines of a file without their line ends (CR LF, or a lone LF). A final
// line end does not start another line.
QList<QByteArrayView> SplitLines(QByteArrayView bytes);

// Decodes one line of `fileName`; a failure names the line.
StoreStatus DecodeLine(QByteArrayView line, const QString &fileName, qint64 lineNumber, QString &text);

// Encodes a text for a field: a double quote, a line break or a character that
// code page 932 lacks is refused, naming the character and `what` the text is.
StoreStatus EncodeField(const QString &text, const QString &fileName, const QString &what,
                        QByteArray &bytes);

// Replaces the whole file `name` in `dir` (found case-insensitively) through
// `tempName` (or its copy name when empty).
StoreStatus WriteDiaryFile(const QString &dir, const QString &name, const QByteArray &bytes,
                           const QString &tempName = {});

// Reads the whole file `name` in `dir` (found case-insensitively); `path` gets
// the file's path.
StoreStatus ReadDiaryFile(const QString &dir, const QString &name, QByteArray &bytes,
                          QString *path = nullptr);

} // namespace zz
