#pragma once

#include "store/measurementrecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <memory>

namespace zz {

// One line of the measurement file "データ.txt": eleven comma-separated fields
// (date, status, weight, body fat, basal metabolism, visceral fat, muscle
// mass, muscle score, bone mass, comment, a spare text), texts between double
// quotes with no escaping, numbers unquoted in their shortest form (65, 65.4;
// integers as plain digits), code page 932, CR LF. This is what the fuzzer
// reads and writes; the file operations are in measurementfile.h.

// One line in the write convention, CR LF included; false when a text field
// cannot be stored (`fault` then says which character).
bool FormatMeasurementLine(const MeasurementRecord &record, QByteArray &line, QString *fault = nullptr);

// Parses one line (without its CR LF). False with `fault` set when it is not a
// well-formed record.
bool ParseMeasurementLine(QByteArrayView line, MeasurementRecord &record, QString *fault = nullptr);

// `text` between double quotes as a field holds it, appended to `line`; false
// when the text cannot be stored (a quote, a line break, a character code
// page 932 lacks), `fault` naming the field `name`.
bool AppendQuotedText(QByteArray &line, const QString &text, const QString &name, QString *fault);

// Where a field stands in its line, quotes included.
struct FieldSpan
{
    qsizetype start = 0;
    qsizetype end = 0;
};

// Where each of a line's eleven fields stands.
using FieldSpans = std::array<FieldSpan, 11>;

// True when `line` (without a line end) is the beginning of a record cut off in
// the middle of a field, as an interrupted write leaves it; a line that is
// complete but wrong (a typo, an impossible date) is not.
bool IsCutRecord(QByteArrayView line);

// `line` (a whole record with its line end) with its comment field replaced
// by `comment`; every other byte stays. False when the line is no record or
// the comment cannot be stored.
bool ReplaceCommentInLine(QByteArrayView line, const QString &comment, QByteArray &out, QString *fault);

// One line of the file: its content without the line end, and whether a line
// end closed it. A lone LF is taken as a line end too; writers always use CR LF.
struct Line
{
    QByteArrayView content;
    QByteArrayView withEnd;
    bool terminated = false;
};

// The lines of a file's bytes parsed one after the other, remembering the line
// last parsed, its number and, when it is not a record, why. Records of one
// day share their date's text, and texts that repeat are decoded once.
class MeasurementLineReader
{
public:
    explicit MeasurementLineReader(QByteArrayView bytes);
    ~MeasurementLineReader();

    bool atEnd() const { return m_pos >= m_bytes.size(); }
    // Parses the next line into `record`; only when not at the end.
    // `spans`, when given, receives where each field stands.
    bool parseNext(MeasurementRecord &record, FieldSpans *spans = nullptr);

    const Line &line() const { return m_line; }
    qint64 lineNumber() const { return m_number; }
    // Why the line last parsed is not a record.
    const QString &fault() const { return m_fault; }

private:
    class Parser;
    friend bool ParseMeasurementLine(QByteArrayView, MeasurementRecord &, QString *);
    friend bool ReplaceCommentInLine(QByteArrayView, const QString &, QByteArray &, QString *);

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    std::unique_ptr<Parser> m_parser;
    Line m_line;
    qint64 m_number = 0;
    QString m_fault;
};

} // namespace zz
