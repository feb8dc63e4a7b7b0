#include "store/measurementfile.h"

#include "base/cp932.h"
#include "base/storeddate.h"
#include "store/diaryfiles.h"
#include "store/measurementline.h"
#include "store/safefile.h"
#include "store/textfiles.h"

#include <QDate>
#include <QFile>

#include <cstring>

namespace zz {

namespace {

StoreStatus failureOf(const QString &path, const QString &fault, qint64 line = 0)
{
    return StoreStatus::failure(ShownName(path), fault, line);
}

StoreStatus changedOutside(const QString &path)
{
    return failureOf(path,
                     QStringLiteral("ファイルがプログラムの外で変更されました。何も書き込んでいません"));
}

StoreStatus noRecords(const QString &path)
{
    return failureOf(path, QStringLiteral("記録が 1 件もありません (空のファイルです)"));
}

// The line `reader` parsed last is not a record.
StoreStatus lineFailure(const QString &path, const MeasurementLineReader &reader)
{
    return failureOf(path, reader.fault(), reader.lineNumber());
}

// The whole measurement file at `path`, which holds at least one line.
StoreStatus readWhole(const QString &path, QByteArray &bytes)
{
    if (StoreStatus status = ReadWholeFile(path, bytes); !status)
        return status;
    if (bytes.isEmpty())
        return noRecords(path);
    return StoreStatus::success();
}

// The number of lines, for reserving: memchr finds the line ends faster than a
// count of '\n' does.
qsizetype lineCount(QByteArrayView bytes)
{
    qsizetype count = 1;
    const char *p = bytes.data();
    const char *end = p + bytes.size();
    while (p < end) {
        const void *found = std::memchr(p, '\n', size_t(end - p));
        if (!found)
            break;
        ++count;
        p = static_cast<const char *>(found) + 1;
    }
    return count;
}

// Parses every line of `bytes`; `visit(record, line, spans)` sees each in
// file order.
template <typename Visit>
StoreStatus parseAll(const QString &path, QByteArrayView bytes, Visit visit)
{
    MeasurementLineReader reader(bytes);
    MeasurementRecord record;
    FieldSpans spans;
    while (!reader.atEnd()) {
        if (!reader.parseNext(record, &spans))
            return lineFailure(path, reader);
        visit(record, reader.line(), spans);
    }
    return StoreStatus::success();
}

// A record as its line of the file at `path`; a record the line cannot hold is
// a failure of the file, on `lineNumber` when given.
StoreStatus formatLine(const QString &path, const MeasurementRecord &record, QByteArray &line,
                       qint64 lineNumber = 0)
{
    QString fault;
    if (!FormatMeasurementLine(record, line, &fault))
        return failureOf(path, fault, lineNumber);
    return StoreStatus::success();
}

} // namespace

namespace {

// The records last read, handed out again (shared, not copied) while neither
// this program nor anyone else changed the file: every panel reads the whole
// file when it opens.
struct LastRead
{
    QString path;
    FileStamp stamp;
    quint64 writes = 0;
    QList<MeasurementRecord> records;
};

LastRead &lastRead()
{
    static LastRead last;
    return last;
}

} // namespace

// Whether the records last read are still the file's.
bool lastReadHolds(const QString &path)
{
    const LastRead &last = lastRead();
    const FileStamp stamp = StampOf(path);
    return stamp.valid && last.stamp == stamp && last.writes == WritesBegun() && last.path == path;
}

// Records parsed from the file as it stood at `stamp`, after `writes` writes,
// kept as read when the file did not change while it was read.
void keepIfUnchanged(const QString &path, const FileStamp &stamp, quint64 writes,
                     const QList<MeasurementRecord> &records)
{
    if (stamp.valid && StampOf(path) == stamp && WritesBegun() == writes)
        lastRead() = {path, stamp, writes, records};
}

// After this program's own write, the records the file now holds are kept as
// read, so that the next read need not parse the file again.
void keepAsRead(const QString &path, QList<MeasurementRecord> records)
{
    lastRead() = {path, StampOf(path), WritesBegun(), std::move(records)};
}

// The record a formatted line holds as stored (numbers as the text gives them).
bool storedRecordOf(QByteArrayView line, MeasurementRecord &record)
{
    return ParseMeasurementLine(line.endsWith("\r\n") ? line.chopped(2) : line, record);
}

StoreStatus ReadMeasurements(const QString &dir, QList<MeasurementRecord> &records)
{
    const QString path = ResolveDiaryFile(dir, FileNames::Measurements);
    if (lastReadHolds(path)) {
        records = lastRead().records;
        return StoreStatus::success();
    }
    lastRead() = {};
    const quint64 writes = WritesBegun();
    const FileStamp stamp = StampOf(path);
    QByteArray bytes;
    if (StoreStatus status = readWhole(path, bytes); !status)
        return status;
    QList<MeasurementRecord> result;
    result.reserve(lineCount(bytes));
    MeasurementLineReader reader(bytes);
    while (!reader.atEnd()) {
        if (!reader.parseNext(result.emplace_back()))
            return lineFailure(path, reader);
    }
    keepIfUnchanged(path, stamp, writes, result);
    records = std::move(result);
    return StoreStatus::success();
}

void testing::ForgetMeasurementsRead()
{
    lastRead() = {};
}

StoreStatus ReadStartRecord(const QString &dir, MeasurementRecord &record)
{
    // Only the first line is read: the file may hold years of records.
    const QString path = ResolveDiaryFile(dir, FileNames::Measurements);
    QFile file(path);
    if (!file.exists())
        return failureOf(path, QStringLiteral("ファイルがありません"));
    if (!file.open(QIODevice::ReadOnly))
        return failureOf(path, QStringLiteral("ファイルを開けません"));
    const QByteArray first = file.readLine();
    if (first.isEmpty())
        return noRecords(path);
    MeasurementLineReader reader(first);
    MeasurementRecord parsed;
    if (!reader.parseNext(parsed))
        return lineFailure(path, reader);
    record = std::move(parsed);
    return StoreStatus::success();
}

StoreStatus CheckMeasurementFile(const QString &dir, MeasurementFileCheck &check)
{
    const QString path = ResolveDiaryFile(dir, FileNames::Measurements);
    const quint64 writes = WritesBegun();
    const FileStamp stamp = StampOf(path);
    QByteArray bytes;
    if (StoreStatus status = readWhole(path, bytes); !status)
        return status;
    MeasurementLineReader reader(bytes);
    MeasurementFileCheck result;
    // The records are kept: the startup reads them next, so the file is
    // parsed once.
    QList<MeasurementRecord> records;
    records.reserve(lineCount(bytes));
    while (!reader.atEnd()) {
        if (reader.parseNext(records.emplace_back())) {
            ++result.recordCount;
            continue;
        }
        // Only the last line can be torn: it has no line end and stops in the
        // middle of a field. A whole line that is wrong is refused as it is.
        const Line &line = reader.line();
        if (line.terminated || result.recordCount == 0 || !IsCutRecord(line.content))
            return lineFailure(path, reader);
        result.tornLineOffset = line.withEnd.data() - bytes.constData();
        result.tornLineNumber = reader.lineNumber();
        result.tornLine = line.withEnd.toByteArray();
        records.removeLast();
    }
    if (result.tornLineOffset < 0)
        keepIfUnchanged(path, stamp, writes, records);
    check = result;
    return StoreStatus::success();
}

StoreStatus AppendMeasurement(const QString &dir, const MeasurementRecord &record, QList<LineSplice> *done)
{
    const QString path = ResolveDiaryFile(dir, FileNames::Measurements);
    QByteArray line;
    if (StoreStatus status = formatLine(path, record, line); !status)
        return status;
    // A last line without its line end must be a whole record (a file saved
    // by an editor); half a line means another program is writing or was cut
    // off, and sealing the fragment into the file would make a record of it.
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.size() > 0) {
        const qint64 tail = qMin<qint64>(file.size(), 64 * 1024);
        file.seek(file.size() - tail);
        const QByteArray end = file.read(tail);
        if (!end.endsWith('\n')) {
            const QByteArrayView last = QByteArrayView(end).sliced(end.lastIndexOf('\n') + 1);
            MeasurementRecord parsed;
            if (!ParseMeasurementLine(last.endsWith('\r') ? last.chopped(1) : last, parsed))
                return failureOf(path,
                                 QStringLiteral("最後の行が途中で終わっています。ファイルがプログラムの外で"
                                                "変更されました。何も書き込んでいません"));
        }
    }
    file.close();
    QByteArray bytes;
    QList<QByteArrayView> lines;
    if (done) {
        if (StoreStatus status = ReadMeasurementLines(dir, bytes, lines); !status)
            return status;
    }
    QList<MeasurementRecord> known;
    const bool wasKnown = lastReadHolds(path);
    if (wasKnown)
        known = lastRead().records;
    if (StoreStatus status = AppendToFile(path, line, AppendMode::ExistingOnNewLine); !status)
        return status;
    if (MeasurementRecord stored; wasKnown && storedRecordOf(line, stored)) {
        known.append(stored);
        keepAsRead(path, std::move(known));
    }
    if (done) {
        const qsizetype n = lines.size();
        if (n > 0 && !lines.last().endsWith('\n'))
            *done = {{n - 1, {lines.last().toByteArray()}, {lines.last().toByteArray() + "\r\n", line}}};
        else
            *done = {{n, {}, {line}}};
    }
    return StoreStatus::success();
}

StoreStatus InsertMeasurementByDate(const QString &dir, const MeasurementRecord &record,
                                    QList<LineSplice> *done)
{
    const QString path = ResolveDiaryFile(dir, FileNames::Measurements);
    QByteArray newLine;
    if (StoreStatus status = formatLine(path, record, newLine); !status)
        return status;

    QByteArray bytes;
    if (StoreStatus status = readWhole(path, bytes); !status)
        return status;

    // Every record keeps its bytes; the new line goes before the first record
    // of a later date.
    QByteArray out;
    out.reserve(bytes.size() + newLine.size() + 2);
    bool written = false;
    qsizetype at = 0;
    QByteArrayView lastLine;
    QList<MeasurementRecord> records; // as the file holds them afterwards
    records.reserve(lineCount(bytes) + 1);
    const StoreStatus status =
        parseAll(path, bytes, [&](const MeasurementRecord &existing, const Line &line, const FieldSpans &) {
            if (!written && existing.date > record.date) {
                out.append(newLine);
                written = true;
            }
            if (!written)
                ++at;
            out.append(line.withEnd);
            lastLine = line.withEnd;
            records.append(existing);
        });
    if (!status)
        return status;
    QList<LineSplice> splices{{at, {}, {newLine}}};
    if (!written) {
        if (!bytes.endsWith('\n')) {
            out.append("\r\n");
            splices = {{at - 1, {lastLine.toByteArray()}, {lastLine.toByteArray() + "\r\n", newLine}}};
        }
        out.append(newLine);
    }
    if (StoreStatus replaced =
            ReplaceFile(path, ResolveDiaryFile(dir, FileNames::MeasurementsInsertTemp), out);
        !replaced)
        return replaced;
    if (MeasurementRecord stored; storedRecordOf(newLine, stored)) {
        records.insert(at, stored);
        keepAsRead(path, std::move(records));
    }
    if (done)
        *done = splices;
    return StoreStatus::success();
}

StoreStatus RewriteMeasurements(const QString &dir, const QList<MeasurementRecord> &records)
{
    const QString path = ResolveDiaryFile(dir, FileNames::Measurements);
    QByteArray out;
    out.reserve(records.size() * 72);
    QByteArray line;
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (StoreStatus status = formatLine(path, records.at(i), line, i + 1); !status)
            return status;
        out.append(line);
    }
    return ReplaceFile(path, ResolveDiaryFile(dir, FileNames::MeasurementsInsertTemp), out);
}

StoreStatus RenameStatusInMeasurements(const QString &dir, const QString &oldStatus, const QString &newStatus,
                                       QList<LineSplice> *done)
{
    const QString path = ResolveDiaryFile(dir, FileNames::Measurements);
    QByteArray quotedNew;
    QString fault;
    if (!AppendQuotedText(quotedNew, newStatus, QStringLiteral("状況"), &fault))
        return failureOf(path, fault);

    QByteArray bytes;
    if (StoreStatus status = readWhole(path, bytes); !status)
        return status;

    // The file holds look-alikes already mapped, so the old text is compared in
    // that form.
    const QString match = MapLookAlikes(oldStatus);
    QByteArray out;
    out.reserve(bytes.size() + 1024);
    qint64 changed = 0;
    qsizetype index = 0;
    QList<LineSplice> splices;
    const StoreStatus status = parseAll(
        path, bytes, [&](const MeasurementRecord &record, const Line &line, const FieldSpans &spans) {
            ++index;
            if (record.status != match) {
                out.append(line.withEnd);
                return;
            }
            ++changed;
            const FieldSpan &span = spans[1];
            const qsizetype start = out.size();
            out.append(line.withEnd.first(span.start));
            out.append(quotedNew);
            out.append(line.withEnd.sliced(span.end));
            if (done)
                splices.append({index - 1, {line.withEnd.toByteArray()}, {out.sliced(start)}});
        });
    if (!status)
        return status;
    if (done)
        done->clear();
    if (changed == 0)
        return StoreStatus::success();
    if (StoreStatus replaced =
            ReplaceFile(path, ResolveDiaryFile(dir, FileNames::MeasurementsRenameTemp), out);
        !replaced)
        return replaced;
    if (done)
        *done = std::move(splices);
    return StoreStatus::success();
}

StoreStatus ReadMeasurementLines(const QString &dir, QByteArray &bytes, QList<QByteArrayView> &lines)
{
    const QString path = ResolveDiaryFile(dir, FileNames::Measurements);
    if (StoreStatus status = readWhole(path, bytes); !status)
        return status;
    QList<QByteArrayView> found;
    found.reserve(lineCount(bytes));
    const char *p = bytes.constData();
    const char *end = p + bytes.size();
    while (p < end) {
        const void *nl = std::memchr(p, '\n', size_t(end - p));
        const char *next = nl ? static_cast<const char *>(nl) + 1 : end;
        found.append(QByteArrayView(p, next - p));
        p = next;
    }
    lines = std::move(found);
    return StoreStatus::success();
}

StoreStatus SpliceMeasurementLines(const QString &dir, const QList<LineSplice> &splices)
{
    const QString path = ResolveDiaryFile(dir, FileNames::Measurements);
    QByteArray bytes;
    QList<QByteArrayView> lines;
    if (StoreStatus status = ReadMeasurementLines(dir, bytes, lines); !status)
        return status;
    const auto withoutEnd = [](QByteArrayView line) {
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        return line;
    };

    QByteArray out;
    qsizetype extra = 0;
    for (const LineSplice &splice : splices)
        for (const QByteArray &line : splice.newLines)
            extra += line.size() + 2;
    out.reserve(bytes.size() + extra);
    const auto put = [&out](QByteArrayView line) {
        if (!out.isEmpty() && !out.endsWith('\n'))
            out.append("\r\n"); // a last line without its end gets one when lines follow
        out.append(line);
    };
    qsizetype next = 0;
    for (const LineSplice &splice : splices) {
        if (splice.from < next || splice.from + splice.oldLines.size() > lines.size())
            return changedOutside(path);
        for (; next < splice.from; ++next)
            put(lines.at(next));
        for (const QByteArray &old : splice.oldLines) {
            if (withoutEnd(lines.at(next)) != withoutEnd(old))
                return changedOutside(path);
            ++next;
        }
        for (const QByteArray &line : splice.newLines)
            put(line);
    }
    for (; next < lines.size(); ++next)
        put(lines.at(next));
    if (out.isEmpty())
        return noRecords(path);
    if (out == bytes)
        return StoreStatus::success();
    return ReplaceFile(path, ResolveDiaryFile(dir, FileNames::MeasurementsInsertTemp), out);
}

QList<LineSplice> InverseSplices(const QList<LineSplice> &splices)
{
    QList<LineSplice> inverse;
    inverse.reserve(splices.size());
    qsizetype shift = 0;
    for (const LineSplice &splice : splices) {
        inverse.append({splice.from + shift, splice.newLines, splice.oldLines});
        shift += splice.newLines.size() - splice.oldLines.size();
    }
    return inverse;
}

StoreStatus ReplaceMeasurementComment(const QString &dir, qsizetype index, const QString &expectedDate,
                                      const QString &comment, QList<LineSplice> *done)
{
    const QString path = ResolveDiaryFile(dir, FileNames::Measurements);
    QByteArray bytes;
    QList<QByteArrayView> lines;
    if (StoreStatus status = ReadMeasurementLines(dir, bytes, lines); !status)
        return status;
    MeasurementRecord record;
    if (index < 0 || index >= lines.size() || !ParseMeasurementLine(lines.at(index).trimmed(), record) ||
        record.date != expectedDate)
        return changedOutside(path);
    QByteArray line;
    QString fault;
    if (!ReplaceCommentInLine(lines.at(index), comment, line, &fault))
        return failureOf(path, fault, index + 1);
    const QList<LineSplice> splices{{index, {lines.at(index).toByteArray()}, {line}}};
    if (StoreStatus status = SpliceMeasurementLines(dir, splices); !status)
        return status;
    if (done)
        *done = splices;
    return StoreStatus::success();
}

StoreStatus CreateMeasurementFile(const QString &dir, const MeasurementRecord &startRecord)
{
    return RewriteMeasurements(dir, {startRecord});
}

} // namespace zz
