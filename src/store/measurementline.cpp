#include "store/measurementline.h"

#include "base/cp932.h"
#include "base/numbers.h"
#include "base/storeddate.h"
#include "store/fieldreader.h"
#include "store/textfiles.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

namespace zz {

namespace {

constexpr int FieldCount = 11;

// --- numbers -------------------------------------------------------------

// A decimal number as the files hold it: optional sign, digits with at most one
// point, optional exponent. Blanks were already dropped by the field reader.
bool isNumberText(QByteArrayView f)
{
    return !f.isEmpty() && NumberLength(f) == f.size();
}

template <typename T>
bool parseNumber(QByteArrayView f, T &value)
{
    if (!isNumberText(f))
        return false;
    const char *begin = f.data();
    const char *end = begin + f.size();
    if (*begin == '+')
        ++begin;
    const auto result = std::from_chars(begin, end, value);
    return result.ec == std::errc() && result.ptr == end;
}

// The common short forms read without the general parser: "65.4", "-3",
// "1350". A float from at most seven digits is exact, and so is the power of
// ten it is divided by, so the one float division rounds correctly (the result
// equals what the general parser gives). Anything else returns false and goes
// the general way.
bool parseShortReal(QByteArrayView f, float &value)
{
    static constexpr float powers[] = {1.0f,     10.0f,     100.0f,     1000.0f,
                                       10000.0f, 100000.0f, 1000000.0f, 10000000.0f};
    qsizetype i = 0;
    const qsizetype n = f.size();
    const bool negative = n > 0 && f[0] == '-';
    if (negative)
        ++i;
    qint32 mantissa = 0;
    int digits = 0;
    int decimals = 0;
    bool point = false;
    for (; i < n; ++i) {
        const char c = f[i];
        if (c >= '0' && c <= '9') {
            if (++digits > 7)
                return false;
            mantissa = mantissa * 10 + (c - '0');
            if (point)
                ++decimals;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (digits == 0)
        return false;
    const float magnitude = float(mantissa) / powers[decimals];
    value = negative ? -magnitude : magnitude;
    return true;
}

bool parseShortInteger(QByteArrayView f, qint16 &value)
{
    qsizetype i = 0;
    const qsizetype n = f.size();
    const bool negative = n > 0 && f[0] == '-';
    if (negative)
        ++i;
    if (i == n || n - i > 5)
        return false;
    qint32 number = 0;
    for (; i < n; ++i) {
        const char c = f[i];
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
    }
    if (negative)
        number = -number;
    if (number < -32768 || number > 32767)
        return false;
    value = qint16(number);
    return true;
}

QString quotedForFault(QByteArrayView f)
{
    QString text;
    if (!DecodeCp932(f, text))
        text = QString::fromLatin1(f);
    return QuotedInMessage(text, 20);
}

// --- reading -------------------------------------------------------------

// Decoded texts of recent fields. A diary uses a handful of statuses over and
// over, so most status fields are found here and share one QString.
class TextCache
{
public:
    bool decode(QByteArrayView bytes, QString &text)
    {
        if (bytes.isEmpty()) {
            text = QString();
            return true;
        }
        for (const Entry &entry : m_entries) {
            if (entry.bytes.size() == bytes.size() &&
                std::memcmp(entry.bytes.constData(), bytes.data(), size_t(bytes.size())) == 0) {
                text = entry.text;
                return true;
            }
        }
        if (!DecodeCp932(bytes, text))
            return false;
        Entry &slot = m_entries[m_next];
        m_next = (m_next + 1) % m_entries.size();
        slot.bytes = bytes.toByteArray();
        slot.text = text;
        return true;
    }

private:
    struct Entry
    {
        QByteArray bytes;
        QString text;
    };
    std::array<Entry, 32> m_entries;
    size_t m_next = 0;
};

// --- writing -------------------------------------------------------------

// The fields after the date, each with the comma before it.

bool quotedField(QByteArray &line, const QString &text, const QString &name, QString *fault)
{
    line.append(',');
    return AppendQuotedText(line, text, name, fault);
}

bool realField(QByteArray &line, float value, const QString &name, QString *fault)
{
    if (!std::isfinite(value)) {
        if (fault)
            *fault = QStringLiteral("%1が数値ではありません").arg(name);
        return false;
    }
    line.append(',');
    AppendNumberText(line, value);
    return true;
}

bool integerField(QByteArray &line, qint16 value)
{
    line.append(',');
    line.append(QByteArray::number(value));
    return true; // every integer can be stored
}

} // namespace

class MeasurementLineReader::Parser
{
public:
    // Parses one line without its line end. `spans`, when given, receives
    // where each field stands in the line (quotes included).
    bool parse(QByteArrayView line, MeasurementRecord &record, QString &fault, FieldSpans *spans = nullptr)
    {
        FieldReader reader(line);
        std::array<QByteArrayView, FieldCount> fields;
        int count = 0;
        QByteArrayView field;
        while (reader.next(field)) {
            if (count < FieldCount)
                fields[count] = field;
            if (spans && count < FieldCount)
                (*spans)[count] = {reader.rawStart(), reader.rawEnd()};
            ++count;
        }
        if (!reader.fault().isEmpty()) {
            fault = reader.fault();
            return false;
        }
        if (count != FieldCount) {
            fault = count == 0 ? QStringLiteral("空の行です")
                               : QStringLiteral("項目の数が %1 ではなく %2 です").arg(FieldCount).arg(count);
            return false;
        }

        // Records of one day follow each other and share the date's text.
        if (m_lastDate.isEmpty() || fields[0] != QByteArrayView(m_lastDateBytes)) {
            if (!StoredDateOf(fields[0]).isValid()) {
                fault = QStringLiteral("日付「%1」が yyyy/mm/dd 形式の正しい日付ではありません")
                            .arg(quotedForFault(fields[0]));
                return false;
            }
            m_lastDateBytes = fields[0].toByteArray();
            m_lastDate = QString::fromLatin1(fields[0]);
        }
        record.date = m_lastDate;

        if (!text(fields[1], record.status, QStringLiteral("状況"), fault) ||
            !real(fields[2], record.weight, QStringLiteral("体重"), fault) ||
            !real(fields[3], record.bodyFat, QStringLiteral("体脂肪率"), fault) ||
            !integer(fields[4], record.basalMetabolism, QStringLiteral("基礎代謝量"), fault) ||
            !integer(fields[5], record.visceralFat, QStringLiteral("内臓脂肪レベル"), fault) ||
            !real(fields[6], record.muscleMass, QStringLiteral("筋肉量"), fault) ||
            !integer(fields[7], record.muscleScore, QStringLiteral("筋肉スコア"), fault) ||
            !real(fields[8], record.boneMass, QStringLiteral("骨量"), fault) ||
            !text(fields[9], record.comment, QStringLiteral("一言日記"), fault) ||
            !text(fields[10], record.spare, QStringLiteral("予備"), fault))
            return false;
        return true;
    }

private:
    bool text(QByteArrayView f, QString &out, const QString &name, QString &fault)
    {
        // A stray CR inside a line would be read but could never be written
        // back: the line is malformed.
        if (f.contains('\r') || f.contains('\n')) {
            fault = QStringLiteral("%1の欄に改行文字があります").arg(name);
            return false;
        }
        // Only an unquoted text can hold a quote, and it could not be written
        // back as one field.
        if (f.contains('"')) {
            fault = QStringLiteral("%1の欄に引用符 \" があります").arg(name);
            return false;
        }
        if (m_texts.decode(f, out))
            return true;
        fault =
            QStringLiteral("%1の欄にコードページ 932 (Shift_JIS) として読めないバイトがあります").arg(name);
        return false;
    }

    static bool real(QByteArrayView f, float &out, const QString &name, QString &fault)
    {
        if (parseShortReal(f, out) || parseNumber(f, out))
            return true;
        fault = isNumberText(f)
                    ? QStringLiteral("%1の欄「%2」が数値の範囲を超えています").arg(name, quotedForFault(f))
                    : QStringLiteral("%1の欄「%2」が数値ではありません").arg(name, quotedForFault(f));
        return false;
    }

    static bool integer(QByteArrayView f, qint16 &out, const QString &name, QString &fault)
    {
        // Whole numbers are stored as plain digits; other numbers are rounded
        // with halves to the even neighbour.
        if (parseShortInteger(f, out))
            return true;
        double value = 0;
        if (!parseNumber(f, value)) {
            fault = QStringLiteral("%1の欄「%2」が数値ではありません").arg(name, quotedForFault(f));
            return false;
        }
        const std::optional<qint16> rounded = RoundToInt16(value);
        if (!rounded) {
            fault = QStringLiteral("%1の欄「%2」が -32768 から 32767 の範囲を超えています")
                        .arg(name, quotedForFault(f));
            return false;
        }
        out = *rounded;
        return true;
    }

    TextCache m_texts;
    QByteArray m_lastDateBytes;
    QString m_lastDate;
};

bool AppendQuotedText(QByteArray &line, const QString &text, const QString &name, QString *fault)
{
    QByteArray bytes;
    if (StoreStatus status = EncodeText(text, TextPlace::QuotedField, QString(), name, bytes); !status) {
        if (fault)
            *fault = status.fault;
        return false;
    }
    line.append('"');
    line.append(bytes);
    line.append('"');
    return true;
}

MeasurementLineReader::MeasurementLineReader(QByteArrayView bytes)
    : m_bytes(bytes), m_parser(std::make_unique<Parser>())
{}

MeasurementLineReader::~MeasurementLineReader() = default;

bool MeasurementLineReader::parseNext(MeasurementRecord &record, FieldSpans *spans)
{
    const char *start = m_bytes.data() + m_pos;
    const qsizetype rest = m_bytes.size() - m_pos;
    const void *found = std::memchr(start, '\n', size_t(rest));
    qsizetype length = found ? static_cast<const char *>(found) - start : rest;
    const qsizetype full = found ? length + 1 : rest;
    if (length > 0 && start[length - 1] == '\r')
        --length;
    m_line = {QByteArrayView(start, length), QByteArrayView(start, full), found != nullptr};
    m_pos += full;
    ++m_number;
    return m_parser->parse(m_line.content, record, m_fault, spans);
}

bool FormatMeasurementLine(const MeasurementRecord &record, QByteArray &line, QString *fault)
{
    if (!StoredDateOf(record.date).isValid()) {
        if (fault)
            *fault =
                QStringLiteral("日付「%1」が yyyy/mm/dd 形式の正しい日付ではありません").arg(record.date);
        return false;
    }
    QByteArray out;
    out.reserve(96);
    out.append('"');
    out.append(record.date.toLatin1());
    out.append('"');
    const bool stored = quotedField(out, record.status, QStringLiteral("状況"), fault) &&
                        realField(out, record.weight, QStringLiteral("体重"), fault) &&
                        realField(out, record.bodyFat, QStringLiteral("体脂肪率"), fault) &&
                        integerField(out, record.basalMetabolism) && integerField(out, record.visceralFat) &&
                        realField(out, record.muscleMass, QStringLiteral("筋肉量"), fault) &&
                        integerField(out, record.muscleScore) &&
                        realField(out, record.boneMass, QStringLiteral("骨量"), fault) &&
                        quotedField(out, record.comment, QStringLiteral("一言日記"), fault) &&
                        quotedField(out, record.spare, QStringLiteral("予備"), fault);
    if (!stored)
        return false;
    out.append("\r\n");
    line = std::move(out);
    return true;
}

bool IsCutRecord(QByteArrayView line)
{
    // Fields as far as they go; the last one may be cut anywhere.
    qsizetype pos = 0;
    int field = 0;
    for (;;) {
        const bool last = field == FieldCount - 1;
        const bool quoted = field == 0 || field == 1 || field >= 9;
        if (pos >= line.size())
            return true; // cut right before the field (or after its comma)
        if (quoted) {
            if (line[pos] != '"')
                return false;
            const qsizetype close = line.indexOf('"', pos + 1);
            const QByteArrayView text = line.sliced(pos + 1, (close < 0 ? line.size() : close) - pos - 1);
            if (text.contains('\r') || text.contains('\n'))
                return false;
            if (field == 0) {
                // The date, whole or cut: digits and slashes in its places.
                static constexpr char pattern[] = "9999/99/99";
                if (text.size() > 10)
                    return false;
                for (qsizetype i = 0; i < text.size(); ++i) {
                    const bool digit = text[i] >= '0' && text[i] <= '9';
                    if (pattern[i] == '/' ? text[i] != '/' : !digit)
                        return false;
                }
                if (close >= 0 && !StoredDateOf(text).isValid())
                    return false;
            }
            if (close < 0)
                return true; // cut inside the text
            if (last)
                return false; // the whole record is there: it is not cut
            pos = close + 1;
        } else {
            qsizetype end = pos;
            while (end < line.size() && line[end] != ',')
                ++end;
            const QByteArrayView number = line.sliced(pos, end - pos);
            if (end >= line.size()) {
                // Cut inside the number: what is there begins one.
                return number.isEmpty() || NumberLength(number) == number.size() || number == "-" ||
                       number == "+" || number.endsWith('e') || number.endsWith('E');
            }
            if (number.isEmpty() || NumberLength(number) != number.size())
                return false;
            pos = end;
        }
        if (pos >= line.size())
            return true;
        if (line[pos] != ',')
            return false;
        ++pos;
        ++field;
    }
}

bool ReplaceCommentInLine(QByteArrayView line, const QString &comment, QByteArray &out, QString *fault)
{
    qsizetype content = line.size();
    if (content > 0 && line[content - 1] == '\n')
        --content;
    if (content > 0 && line[content - 1] == '\r')
        --content;
    MeasurementLineReader::Parser parser;
    MeasurementRecord record;
    FieldSpans spans;
    QString why;
    if (!parser.parse(line.first(content), record, why, &spans)) {
        if (fault)
            *fault = why;
        return false;
    }
    QByteArray quoted;
    if (!AppendQuotedText(quoted, comment, QStringLiteral("一言日記"), fault))
        return false;
    const FieldSpan &span = spans[9];
    QByteArray result;
    result.reserve(line.size() + quoted.size());
    result.append(line.first(span.start));
    result.append(quoted);
    result.append(line.sliced(span.end));
    out = std::move(result);
    return true;
}

bool ParseMeasurementLine(QByteArrayView line, MeasurementRecord &record, QString *fault)
{
    MeasurementLineReader::Parser parser;
    QString why;
    MeasurementRecord parsed;
    if (!parser.parse(line, parsed, why)) {
        if (fault)
            *fault = why;
        return false;
    }
    record = std::move(parsed);
    return true;
}

} // namespace zz
