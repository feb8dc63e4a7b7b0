#include "store/diaryhistory.h"

#include "base/displayformats.h"
#include "store/diaryfiles.h"
#include "store/measurementline.h"
#include "store/safefile.h"
#include "store/textfiles.h"

namespace zz {

namespace {

StoreStatus changedOutside(const QString &dir)
{
    return StoreStatus::failure(
        ShownNameIn(dir, FileNames::Measurements),
        QStringLiteral("ファイルがプログラムの外で変更されました。何も書き込んでいません"));
}

// Sets the status list to `bytes` when it holds `expected`.
StoreStatus putStatusList(const QString &dir, const QByteArray &expected, const QByteArray &bytes)
{
    const QString path = ResolveDiaryFile(dir, FileNames::StatusList);
    QByteArray current;
    if (StoreStatus status = ReadWholeFile(path, current); !status)
        return status;
    if (current != expected)
        return StoreStatus::failure(
            ShownName(path),
            QStringLiteral("ファイルがプログラムの外で変更されました。何も書き込んでいません"));
    return ReplaceFile(path, ResolveDiaryFile(dir, FileNames::StatusListRenameTemp), bytes);
}

// The record at `index`, checked against `expected`.
StoreStatus findRecord(const QString &dir, qsizetype index, const MeasurementRecord &expected,
                       QByteArray &bytes, QList<QByteArrayView> &lines)
{
    if (StoreStatus status = ReadMeasurementLines(dir, bytes, lines); !status)
        return status;
    MeasurementRecord found;
    if (index < 0 || index >= lines.size() || !ParseMeasurementLine(lines.at(index).trimmed(), found) ||
        found != expected)
        return changedOutside(dir);
    return StoreStatus::success();
}

// Applies splices in one direction and the status list with them; when the
// list fails, the measurements are put back.
StoreStatus apply(const QString &dir, const QList<LineSplice> &splices, const DiaryStep &step, bool forward)
{
    if (StoreStatus status = SpliceMeasurementLines(dir, splices); !status)
        return status;
    if (!step.changesStatusList)
        return StoreStatus::success();
    const StoreStatus status = forward ? putStatusList(dir, step.statusListBefore, step.statusListAfter)
                                       : putStatusList(dir, step.statusListAfter, step.statusListBefore);
    if (!status)
        SpliceMeasurementLines(dir, InverseSplices(splices));
    return status;
}

} // namespace

qsizetype DiaryStep::memoryBytes() const
{
    qsizetype bytes = qsizetype(sizeof(DiaryStep)) + description.size() * 2 + statusListBefore.size() +
                      statusListAfter.size();
    for (const LineSplice &splice : splices) {
        bytes += qsizetype(sizeof(LineSplice));
        for (const QByteArray &line : splice.oldLines)
            bytes += line.size() + qsizetype(sizeof(QByteArray)) + 32;
        for (const QByteArray &line : splice.newLines)
            bytes += line.size() + qsizetype(sizeof(QByteArray)) + 32;
    }
    return bytes;
}

void DiaryHistory::push(DiaryStep step)
{
    m_steps.resize(m_done);
    m_steps.append(std::move(step));
    if (m_steps.size() > m_limit)
        m_steps.removeFirst();
    m_done = m_steps.size();
}

void DiaryHistory::clear()
{
    m_steps.clear();
    m_done = 0;
}

qsizetype DiaryHistory::memoryBytes() const
{
    qsizetype bytes = 0;
    for (const DiaryStep &step : m_steps)
        bytes += step.memoryBytes();
    return bytes;
}

StoreStatus DiaryHistory::undo(const QString &dir)
{
    if (!canUndo())
        return StoreStatus::success();
    const DiaryStep &step = m_steps.at(m_done - 1);
    if (StoreStatus status = apply(dir, InverseSplices(step.splices), step, false); !status)
        return status;
    --m_done;
    return StoreStatus::success();
}

StoreStatus DiaryHistory::redo(const QString &dir)
{
    if (!canRedo())
        return StoreStatus::success();
    const DiaryStep &step = m_steps.at(m_done);
    if (StoreStatus status = apply(dir, step.splices, step, true); !status)
        return status;
    ++m_done;
    return StoreStatus::success();
}

QString StepDescription(const MeasurementRecord &record, const QString &what)
{
    return QStringLiteral("%1 %2 %3 の%4").arg(record.date, record.status, FormatKg(record.weight), what);
}

StoreStatus CorrectMeasurement(const QString &dir, qsizetype index, const MeasurementRecord &expected,
                               const MeasurementRecord &corrected, QList<LineSplice> &done)
{
    done.clear();
    if (corrected == expected)
        return StoreStatus::success();
    QByteArray bytes;
    QList<QByteArrayView> lines;
    if (StoreStatus status = findRecord(dir, index, expected, bytes, lines); !status)
        return status;
    QByteArray line;
    QString fault;
    if (!FormatMeasurementLine(corrected, line, &fault))
        return StoreStatus::failure(ShownNameIn(dir, FileNames::Measurements), fault);
    const QByteArray old = lines.at(index).toByteArray();
    if (!old.endsWith('\n'))
        line.chop(2); // the last line keeps its missing line end
    QList<LineSplice> splices;
    if (corrected.date == expected.date) {
        splices = {{index, {old}, {line}}};
    } else {
        // Where a save of the new date goes once the record is out: before the
        // first record of a later date.
        if (!line.endsWith('\n'))
            line.append("\r\n");
        QList<MeasurementRecord> records;
        if (StoreStatus status = ReadMeasurements(dir, records); !status)
            return status;
        qsizetype to = records.size();
        for (qsizetype i = 0; i < records.size(); ++i)
            if (i != index && records.at(i).date > corrected.date) {
                to = i;
                break;
            }
        if (to == index || to == index + 1) {
            splices = {{index, {old}, {line}}};
        } else if (to < index) {
            splices = {{to, {}, {line}}, {index, {old}, {}}};
        } else if (to == lines.size() && !lines.last().endsWith('\n')) {
            const QByteArray last = lines.last().toByteArray();
            splices = {{index, {old}, {}}, {to - 1, {last}, {last + "\r\n", line.chopped(2)}}};
        } else {
            splices = {{index, {old}, {}}, {to, {}, {line}}};
        }
    }
    if (StoreStatus status = SpliceMeasurementLines(dir, splices); !status)
        return status;
    done = splices;
    return StoreStatus::success();
}

StoreStatus DeleteMeasurement(const QString &dir, qsizetype index, const MeasurementRecord &expected,
                              QList<LineSplice> &done)
{
    done.clear();
    QByteArray bytes;
    QList<QByteArrayView> lines;
    if (StoreStatus status = findRecord(dir, index, expected, bytes, lines); !status)
        return status;
    if (lines.size() < 2)
        return StoreStatus::failure(ShownNameIn(dir, FileNames::Measurements),
                                    QStringLiteral("最後の測定は削除できません"));
    const QList<LineSplice> splices{{index, {lines.at(index).toByteArray()}, {}}};
    if (StoreStatus status = SpliceMeasurementLines(dir, splices); !status)
        return status;
    done = splices;
    return StoreStatus::success();
}

} // namespace zz
