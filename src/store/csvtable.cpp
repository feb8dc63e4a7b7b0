#include "store/csvtable.h"

#include "base/cp932.h"
#include "base/numbers.h"

#include <QStringDecoder>

#include <algorithm>

namespace zz {

namespace {

QString decode(QByteArrayView bytes, bool &binary)
{
    binary = false;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                            : QStringDecoder::Utf16BE);
        return decoder.decode(bytes.sliced(2));
    }
    if (bytes.contains('\0')) {
        binary = true;
        return {};
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.sliced(3));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    if (DecodeCp932(bytes, text))
        return text;
    binary = true;
    return {};
}

QChar findDelimiter(QStringView text)
{
    int commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
        else if (!quoted && c == u',')
            ++commas;
        else if (!quoted && c == u';')
            ++semicolons;
        else if (!quoted && c == u'\t')
            ++tabs;
    }
    if (tabs > commas && tabs >= semicolons)
        return u'\t';
    if (semicolons > commas)
        return u';';
    return u',';
}

// RFC 4180: quoted fields may hold delimiters, doubled quotes and line breaks.
// An unquoted field is taken as one slice of the text.
bool split(QStringView text, QChar delimiter, QList<QStringList> &rows, QList<qint64> &lines,
           const CsvProgress &progress)
{
    QStringList row;
    qint64 line = 1, rowLine = 1;
    qsizetype i = 0;
    const qsizetype n = text.size();
    qsizetype width = 4; // the cells of the row before: rows are alike
    const auto endRow = [&] {
        const bool blank = row.size() == 1 && row.first().trimmed().isEmpty();
        width = std::max<qsizetype>(width, row.size());
        if (!blank) {
            rows.append(std::move(row));
            lines.append(rowLine);
        }
        row = QStringList();
        row.reserve(width);
    };
    row.reserve(width);
    while (i < n) {
        QString field;
        if (text[i] == u'"') {
            // Quoted: up to the closing quote, then what follows it up to the delimiter.
            ++i;
            for (;;) {
                const qsizetype quote = text.indexOf(u'"', i);
                if (quote < 0) {
                    field.append(text.sliced(i));
                    line += text.sliced(i).count(u'\n');
                    i = n;
                    break;
                }
                field.append(text.sliced(i, quote - i));
                line += text.sliced(i, quote - i).count(u'\n');
                i = quote + 1;
                if (i < n && text[i] == u'"') {
                    field.append(u'"');
                    ++i;
                    continue;
                }
                break;
            }
        }
        const qsizetype start = i;
        while (i < n && text[i] != delimiter && text[i] != u'\r' && text[i] != u'\n')
            ++i;
        if (i > start)
            field.append(text.sliced(start, i - start));
        row.append(std::move(field));
        if (i >= n)
            break;
        if (text[i] == delimiter) {
            ++i;
            if (i >= n)
                row.append(QString());
            continue;
        }
        if (text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        ++i;
        endRow();
        if (progress && (line & 0x3fff) == 0 && !progress(int(i * 500 / n)))
            return false;
        ++line;
        rowLine = line;
    }
    if (!row.isEmpty())
        endRow();
    return true;
}

bool couldBeWeight(const QString &cell)
{
    const std::optional<double> n = WholeNumber(cell.trimmed());
    return n && *n >= 20 && *n <= 700;
}

} // namespace

bool ReadCsv(QByteArrayView bytes, CsvTable &table, QString &fault, const CsvProgress &progress)
{
    bool binary = false;
    const QString text = decode(bytes, binary);
    if (binary) {
        fault = QStringLiteral("CSV ファイルではありません (文字として読めないバイトがあります)");
        return false;
    }
    CsvTable result;
    result.delimiter = findDelimiter(text);
    if (!split(text, result.delimiter, result.rows, result.lineNumbers, progress)) {
        fault = QStringLiteral("読み込みを取り消しました");
        return false;
    }
    if (result.rows.isEmpty()) {
        fault = QStringLiteral("空のファイルです");
        return false;
    }
    const QStringList &first = result.rows.first();
    result.hasHeader = std::none_of(first.cbegin(), first.cend(), couldBeWeight);
    if (result.hasHeader) {
        result.header = result.rows.takeFirst();
        result.lineNumbers.removeFirst();
    }
    table = std::move(result);
    return true;
}

std::optional<double> CsvNumber(QString cell, QChar delimiter)
{
    cell = cell.trimmed();
    if (cell.isEmpty())
        return std::nullopt;
    if (delimiter == u';')
        cell.replace(u',', u'.');
    // A unit may follow the number ("65.2 kg").
    qsizetype end = 0;
    while (end < cell.size() &&
           (cell[end].isDigit() || cell[end] == u'.' || cell[end] == u'-' || cell[end] == u'+'))
        ++end;
    return WholeNumber(QStringView(cell).first(end));
}

CsvDateTime CsvDateTimeOf(QStringView cell)
{
    CsvDateTime result;
    qsizetype i = 0;
    const qsizetype n = cell.size();
    const auto blanks = [&] {
        while (i < n && cell[i].isSpace())
            ++i;
    };
    const auto digits = [&](int most) {
        int value = 0, count = 0;
        while (i < n && count < most && cell[i] >= u'0' && cell[i] <= u'9') {
            value = value * 10 + (cell[i].unicode() - u'0');
            ++i;
            ++count;
        }
        return count == 0 ? -1 : value;
    };
    const auto separator = [&](char16_t kanji) {
        blanks();
        if (i < n && (cell[i] == u'-' || cell[i] == u'/' || cell[i] == u'.' || cell[i] == QChar(kanji))) {
            ++i;
            blanks();
            return true;
        }
        return false;
    };
    blanks();
    const qsizetype yearStart = i;
    const int year = digits(4);
    if (i - yearStart != 4 || !separator(u'年'))
        return result;
    const int month = digits(2);
    if (month < 0 || !separator(u'月'))
        return result;
    const int day = digits(2);
    if (day < 0)
        return result;
    result.date = QDate(year, month, day);
    qsizetype j = i;
    while (j < n && cell[j].isSpace())
        ++j;
    if (j < n && cell[j] == u'日')
        i = j + 1;
    const qsizetype beforeTime = i;
    while (i < n && (cell[i].isSpace() || cell[i] == u'T'))
        ++i;
    if (i == beforeTime)
        return result;
    const int hour = digits(2);
    if (hour < 0 || i >= n || cell[i] != u':')
        return result;
    ++i;
    const int minute = digits(2);
    if (minute >= 0 && hour < 24 && minute < 60)
        result.minute = hour * 60 + minute;
    return result;
}

int CsvMinuteOf(QStringView cell)
{
    const qsizetype colon = cell.indexOf(u':');
    if (colon < 1 || colon + 2 >= cell.size() + 0 || !cell[colon + 1].isDigit() || !cell[colon + 2].isDigit())
        return -1;
    qsizetype start = colon;
    while (start > 0 && colon - start < 2 && cell[start - 1].isDigit())
        --start;
    if (start == colon)
        return -1;
    const int hour = cell.sliced(start, colon - start).toInt();
    const int minute = cell.sliced(colon + 1, 2).toInt();
    return hour < 24 && minute < 60 ? hour * 60 + minute : -1;
}

} // namespace zz
