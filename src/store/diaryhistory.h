#pragma once

#include "store/measurementfile.h"
#include "store/storestatus.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace zz {

// One change of the diary that can be taken back: the lines of "データ.txt"
// it replaced and the lines it put in their place (never a copy of the file),
// and, for a status rename, the status list before and after.
struct DiaryStep
{
    QString description; // "2008/03/14 朝 65.2Kg の登録"
    QList<LineSplice> splices;
    bool changesStatusList = false;
    QByteArray statusListBefore, statusListAfter;

    qsizetype memoryBytes() const;
};

// The session's undo history over the diary's measurements: at most `limit`
// steps (the oldest goes first). Undo puts the files back byte for byte as
// they were before the step, redo as they were after it; a file that was
// changed outside the program in the meantime is left alone and the failure
// says so.
class DiaryHistory
{
public:
    explicit DiaryHistory(qsizetype limit = 100) : m_limit(limit) {}

    // A step just done; the steps that were undone are forgotten.
    void push(DiaryStep step);
    void clear();

    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < m_steps.size(); }
    QString undoText() const { return canUndo() ? m_steps.at(m_done - 1).description : QString(); }
    QString redoText() const { return canRedo() ? m_steps.at(m_done).description : QString(); }
    qsizetype size() const { return m_steps.size(); }
    qsizetype memoryBytes() const;

    StoreStatus undo(const QString &dir);
    StoreStatus redo(const QString &dir);

private:
    QList<DiaryStep> m_steps;
    qsizetype m_done = 0; // steps [0, m_done) are in effect
    qsizetype m_limit;
};

// The description of a step on one record: "<date> <status> <weight>Kg の<what>".
QString StepDescription(const MeasurementRecord &record, const QString &what);

// Corrects the record at `index` (file order, from 0), which must still be
// `expected`, to `corrected`: in place when its date stays, else moved to
// where a save of the new date would put it. Every other line keeps its bytes.
// `done` receives the change (empty when nothing changed: nothing is written).
StoreStatus CorrectMeasurement(const QString &dir, qsizetype index, const MeasurementRecord &expected,
                               const MeasurementRecord &corrected, QList<LineSplice> &done);

// Deletes the record at `index`, which must still be `expected`. The only
// record of the diary is never deleted.
StoreStatus DeleteMeasurement(const QString &dir, qsizetype index, const MeasurementRecord &expected,
                              QList<LineSplice> &done);

} // namespace zz
