#include "store/olderfiles.h"
#include "base/storeddate.h"

#include "base/numbers.h"
#include "store/diaryfiles.h"
#include "store/fieldreader.h"
#include "store/measurementfile.h"
#include "store/safefile.h"
#include "store/textfiles.h"

#include <QDate>
#include <QDir>
#include <QFile>

namespace zz {

namespace {

const QString WeightOnlyName = QStringLiteral("連続体重.txt");
const QString WeightOnlyBackup = QStringLiteral("連続体重bak.txt");
const QString EditionBackup = QStringLiteral("データbak.txt");
const QString EditionIntermediate = QStringLiteral("データ1.txt");

StoreStatus ReadLineFields(const TextFile &file, qsizetype index, QStringList &texts)
{
    QList<QByteArrayView> fields;
    if (StoreStatus status = ReadFields(file.lines[index], file.shownName, index + 1, fields); !status)
        return status;
    texts.clear();
    for (const QByteArrayView field : std::as_const(fields)) {
        QString text;
        if (StoreStatus status = DecodeLine(field, file.shownName, index + 1, text); !status)
            return status;
        texts.append(text);
    }
    return StoreStatus::success();
}

// Every line of an older file with `count` fields, its date a real stored
// date; blank lines are passed over.
StoreStatus ReadOlderRecords(const TextFile &file, int count, OlderLayout layout, OlderFile &out)
{
    out.layout = layout;
    out.records.clear();
    for (qsizetype i = 0; i < file.lines.size(); ++i) {
        if (file.lines[i].trimmed().isEmpty())
            continue;
        QStringList f;
        if (StoreStatus status = ReadLineFields(file, i, f); !status)
            return status;
        if (f.size() != count)
            return StoreStatus::failure(
                file.shownName, QStringLiteral("項目の数が %1 ではなく %2 です").arg(count).arg(f.size()),
                i + 1);
        if (!StoredDateOf(f[0]).isValid())
            return StoreStatus::failure(
                file.shownName,
                QStringLiteral("日付「%1」が yyyy/mm/dd 形式の正しい日付ではありません")
                    .arg(QuotedInMessage(f[0])),
                i + 1);
        OlderRecord r;
        r.date = f[0];
        r.status = f[1];
        r.weight = float(LeadingNumber(f[2]));
        if (count == 6) {
            r.comment = f[3];
            if (layout == OlderLayout::SecondEdition)
                r.bodyFat = float(LeadingNumber(f[4]));
            r.spare = f[5];
        }
        out.records.append(r);
    }
    return StoreStatus::success();
}

qsizetype FirstRecordLine(const TextFile &file)
{
    for (qsizetype i = 0; i < file.lines.size(); ++i)
        if (!file.lines[i].trimmed().isEmpty())
            return i;
    return -1;
}

// `bytes` written complete and synced under `name` in `dir`.
StoreStatus WriteCopy(const QString &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(dir).filePath(name);
    return ReplaceFile(path, path + QStringLiteral(".tmp"), bytes);
}

StoreStatus RecordBytes(const QList<MeasurementRecord> &records, QByteArray &bytes)
{
    bytes.clear();
    for (const MeasurementRecord &record : records) {
        QByteArray line;
        QString fault;
        if (!FormatMeasurementLine(record, line, &fault))
            return StoreStatus::failure(FileNames::Measurements, fault);
        bytes += line;
    }
    return StoreStatus::success();
}

} // namespace

QString FreeBackupName(const QString &dir, const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = name.left(dot), extension = name.mid(dot);
    QString candidate = name;
    for (int n = 2; QFile::exists(ResolveDiaryFile(dir, candidate)); ++n)
        candidate = stem + QStringLiteral("(%1)").arg(n) + extension;
    return candidate;
}

StoreStatus ReadWeightOnlyFile(const QString &dir, OlderFile &file, bool &found)
{
    found = QFile::exists(ResolveDiaryFile(dir, WeightOnlyName));
    if (!found)
        return StoreStatus::success();
    TextFile text;
    if (StoreStatus status = ReadTextFile(dir, WeightOnlyName, text); !status)
        return status;
    return ReadOlderRecords(text, 3, OlderLayout::WeightOnly, file);
}

StoreStatus ReadEditionFile(const QString &dir, OlderFile &file, bool &found)
{
    found = false;
    const QString path = ResolveDiaryFile(dir, FileNames::Measurements);
    if (!QFile::exists(path))
        return StoreStatus::success();
    // A diary of the current edition is told by its first record line; the
    // whole file is read only for an older one (or to name a fault).
    if (QFile head(path); head.open(QIODevice::ReadOnly)) {
        QByteArray line;
        while (!head.atEnd() && line.trimmed().isEmpty())
            line = head.readLine(64 * 1024);
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        QList<QByteArrayView> fields;
        if (!line.trimmed().isEmpty() && ReadFields(line, ShownName(path), 1, fields) && fields.size() != 6)
            return StoreStatus::success();
    }
    TextFile text;
    if (StoreStatus status = ReadTextFile(dir, FileNames::Measurements, text); !status)
        return status;
    const qsizetype first = FirstRecordLine(text);
    if (first < 0)
        return StoreStatus::success(); // an empty diary is the diary check's matter
    QStringList f;
    if (StoreStatus status = ReadLineFields(text, first, f); !status)
        return status;
    if (f.size() != 6)
        return StoreStatus::success(); // current, or malformed: the diary check tells
    const std::optional<double> fat = WholeNumber(f[4]);
    found = true;
    return ReadOlderRecords(text, 6,
                            fat && *fat != 0 ? OlderLayout::SecondEdition : OlderLayout::FirstEdition, file);
}

QList<MeasurementRecord> ConvertOlderRecords(const OlderFile &file, const TypedValues &typed)
{
    QList<MeasurementRecord> records;
    records.reserve(file.records.size());
    for (const OlderRecord &old : file.records) {
        MeasurementRecord r;
        r.date = old.date;
        r.status = old.status;
        r.weight = old.weight;
        r.bodyFat = file.layout == OlderLayout::SecondEdition ? old.bodyFat : typed.bodyFat;
        r.basalMetabolism = typed.basalMetabolism;
        r.visceralFat = typed.visceralFat;
        r.muscleMass = typed.muscleMass;
        r.muscleScore = typed.muscleScore;
        r.boneMass = typed.boneMass;
        r.comment = old.comment;
        r.spare = old.spare;
        records.append(r);
    }
    return records;
}

StoreStatus WriteWeightOnlyImport(const QString &dir, const QList<MeasurementRecord> &records)
{
    QByteArray bytes;
    if (StoreStatus status = RecordBytes(records, bytes); !status)
        return status;
    const QString dataPath = ResolveDiaryFile(dir, FileNames::Measurements);
    if (QFile::exists(dataPath)) {
        QByteArray old;
        if (StoreStatus status = ReadWholeFile(dataPath, old); !status)
            return status;
        if (StoreStatus status = WriteCopy(dir, FreeBackupName(dir, EditionBackup), old); !status)
            return status;
    }
    if (StoreStatus status = ReplaceFile(dataPath, QDir(dir).filePath(EditionIntermediate), bytes); !status)
        return status;
    // The source goes last: until then the next start converts it again.
    const QString sourcePath = ResolveDiaryFile(dir, WeightOnlyName);
    QByteArray source;
    if (StoreStatus status = ReadWholeFile(sourcePath, source); !status)
        return status;
    if (StoreStatus status = WriteCopy(dir, FreeBackupName(dir, WeightOnlyBackup), source); !status)
        return status;
    if (!QFile::remove(sourcePath))
        return StoreStatus::failure(ShownName(sourcePath), QStringLiteral("ファイルを削除できません"));
    return StoreStatus::success();
}

StoreStatus WriteEditionImport(const QString &dir, const QList<MeasurementRecord> &records)
{
    QByteArray bytes;
    if (StoreStatus status = RecordBytes(records, bytes); !status)
        return status;
    const QString dataPath = ResolveDiaryFile(dir, FileNames::Measurements);
    QByteArray old;
    if (StoreStatus status = ReadWholeFile(dataPath, old); !status)
        return status;
    if (StoreStatus status = WriteCopy(dir, FreeBackupName(dir, EditionBackup), old); !status)
        return status;
    // "データ1.txt" is written complete, synced and renamed over the old file.
    return ReplaceFile(dataPath, QDir(dir).filePath(EditionIntermediate), bytes);
}

} // namespace zz
