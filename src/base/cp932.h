#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace zz {

// Code page 932 ("windows-31j") with every encode and decode checked: Qt's
// codec writes FC FC for an unencodable character and turns bad bytes into
// U+001A without failing, so both are detected here.

// Maps the JIS-side look-alikes to their code page 932 twins (U+301C -> U+FF5E,
// U+2212 -> U+FF0D, U+2016 -> U+2225, U+2014 -> U+2015, U+00A2 -> U+FFE0,
// U+00A3 -> U+FFE1, U+00AC -> U+FFE2). Text typed or pasted from other programs
// often carries them.
QString MapLookAlikes(const QString &text);

// The first character of `text` that a quoted text field cannot hold after the
// look-alike mapping: "改行" for a line break (CR or LF), "\"" for a double
// quote, "制御文字" for another control character, otherwise the character
// itself (a whole surrogate pair). Empty when the text can be stored.
QString FirstUnstorableCharacter(const QString &text);

// Encodes after the look-alike mapping. False (and `out` untouched) when a
// character cannot be encoded; `badCharacter` then names it.
bool EncodeCp932(const QString &text, QByteArray &out, QString *badCharacter = nullptr);

// Decodes; false when the bytes are not valid code page 932.
bool DecodeCp932(QByteArrayView bytes, QString &out);

} // namespace zz
