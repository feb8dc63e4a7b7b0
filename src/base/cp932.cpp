#include "base/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <optional>

namespace zz {

namespace {

constexpr const char *CodecName = "windows-31j";

bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool isAscii(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// Qt's converters keep their error flag across resetState(), so a converter that
// has seen an error is replaced by a fresh one. Creating one costs more than a
// short text takes to convert, hence the cached instance.
class Converters
{
public:
    QStringEncoder &encoder()
    {
        if (!m_encoder || m_encoder->hasError())
            m_encoder.emplace(CodecName, QStringConverter::Flag::Stateless);
        m_encoder->resetState();
        return *m_encoder;
    }
    QStringDecoder &decoder()
    {
        if (!m_decoder || m_decoder->hasError())
            m_decoder.emplace(CodecName, QStringConverter::Flag::Stateless);
        m_decoder->resetState();
        return *m_decoder;
    }

private:
    std::optional<QStringEncoder> m_encoder;
    std::optional<QStringDecoder> m_decoder;
};

Converters &converters()
{
    thread_local Converters instance;
    return instance;
}

bool encodes(QStringView character)
{
    QStringEncoder &encoder = converters().encoder();
    const QByteArray bytes = encoder.encode(character);
    return !encoder.hasError();
}

// The first character (a whole surrogate pair) that code page 932 cannot hold.
QString firstUnencodable(const QString &mapped)
{
    for (qsizetype i = 0; i < mapped.size(); ++i) {
        qsizetype length = 1;
        if (mapped.at(i).isHighSurrogate() && i + 1 < mapped.size() && mapped.at(i + 1).isLowSurrogate())
            length = 2;
        const QStringView character = QStringView(mapped).mid(i, length);
        if (character.front().unicode() >= 0x80 && !encodes(character))
            return character.toString();
        i += length - 1;
    }
    return {};
}

} // namespace

QString MapLookAlikes(const QString &text)
{
    QString mapped = text;
    for (QChar &c : mapped) {
        switch (c.unicode()) {
        case 0x301C: c = QChar(0xFF5E); break; // wave dash -> full-width tilde
        case 0x2212: c = QChar(0xFF0D); break; // minus sign -> full-width hyphen-minus
        case 0x2016: c = QChar(0x2225); break; // double vertical line -> parallel to
        case 0x2014: c = QChar(0x2015); break; // em dash -> horizontal bar
        case 0x00A2: c = QChar(0xFFE0); break; // cent
        case 0x00A3: c = QChar(0xFFE1); break; // pound
        case 0x00AC: c = QChar(0xFFE2); break; // not sign
        default: break;
        }
    }
    return mapped;
}

QString FirstUnstorableCharacter(const QString &text)
{
    const QString mapped = MapLookAlikes(text);
    for (QChar c : mapped) {
        if (c == u'\r' || c == u'\n')
            return QStringLiteral("改行");
        if (c == u'"')
            return QStringLiteral("\"");
        // Typed texts hold no control characters (a tab, an escape, a NUL).
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return QStringLiteral("制御文字");
    }
    if (isAscii(mapped))
        return {};
    QByteArray ignored;
    QString bad;
    if (EncodeCp932(mapped, ignored, &bad))
        return {};
    return bad;
}

bool EncodeCp932(const QString &text, QByteArray &out, QString *badCharacter)
{
    if (isAscii(text)) {
        out = text.toLatin1();
        return true;
    }
    const QString mapped = MapLookAlikes(text);
    QStringEncoder &encoder = converters().encoder();
    QByteArray bytes = encoder.encode(mapped);
    if (encoder.hasError()) {
        if (badCharacter)
            *badCharacter = firstUnencodable(mapped);
        return false;
    }
    out = std::move(bytes);
    return true;
}

bool DecodeCp932(QByteArrayView bytes, QString &out)
{
    if (isAscii(bytes)) {
        out = QString::fromLatin1(bytes);
        return true;
    }
    QStringDecoder &decoder = converters().decoder();
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return false;
    out = std::move(text);
    return true;
}

} // namespace zz
