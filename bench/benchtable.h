#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <functional>

namespace zzbench {

// One row of the printed table: what was measured, the best of a few runs in
// milliseconds, and the target.
struct Row
{
    QString name;
    double milliseconds = 0;
    double targetMilliseconds = 0; // 0: no target
};

class Table
{
public:
    // Runs `work` `repeats` times after `prepare` each time and keeps the best.
    void measure(const QString &name, double targetMs, const std::function<void()> &work, int repeats = 5,
                 const std::function<void()> &prepare = {});
    void add(const Row &row) { m_rows.append(row); }
    void print() const;

private:
    QList<Row> m_rows;
};

// The diary size the table runs at (50,000 unless `--records N` says).
int Records();
void SetRecords(int records);
// Whether `--records` was given (the extra 200,000-record rows are left out).
bool SizeGiven();
// 200000 -> "200,000".
QString WithThousands(int n);
// The row names say "50,000 records"; a run at another size names its own.
QString AtSize(QString name);

// A directory holding a generated diary of `records` measurements (and the small
// files), made once per run and reused.
QString DiaryDirectory(int records);
// Writes a realistic diary of `records` measurements into `dir`.
void WriteLargeDiary(const QString &dir, int records);

// Each area adds its rows.
void StoreBenchmarks(Table &table);
void UiBenchmarks(Table &table);
// The program alone on a diary of Records() measurements: startup, then each
// panel opened once after a change of the diary.
void ProgramBenchmarks(Table &table);
void AppBenchmarks(Table &table);

} // namespace zzbench
