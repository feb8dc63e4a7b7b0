#include "benchtable.h"

#include <QApplication>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace zzbench {

void Table::measure(const QString &name, double targetMs, const std::function<void()> &work, int repeats,
                    const std::function<void()> &prepare)
{
    double best = -1;
    for (int i = 0; i < repeats; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        const double ms = timer.nsecsElapsed() / 1e6;
        best = best < 0 ? ms : std::min(best, ms);
    }
    m_rows.append({name, best, targetMs});
}

void Table::print() const
{
    QTextStream out(stdout);
    out << QStringLiteral("%1 %2 %3 %4\n")
               .arg(QStringLiteral("benchmark"), -62)
               .arg(QStringLiteral("ms"), 10)
               .arg(QStringLiteral("target"), 10)
               .arg(QStringLiteral("ok"), 4);
    for (const Row &row : m_rows) {
        const QString target = row.targetMilliseconds > 0 ? QString::number(row.targetMilliseconds, 'f', 0)
                                                          : QStringLiteral("-");
        const QString ok = row.targetMilliseconds <= 0                  ? QStringLiteral("-")
                           : row.milliseconds <= row.targetMilliseconds ? QStringLiteral("yes")
                                                                        : QStringLiteral("NO");
        out << QStringLiteral("%1 %2 %3 %4\n")
                   .arg(row.name, -62)
                   .arg(QString::number(row.milliseconds, 'f', 2), 10)
                   .arg(target, 10)
                   .arg(ok, 4);
    }
}

} // namespace zzbench

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    zzbench::Table table;
    zzbench::StoreBenchmarks(table);
    zzbench::UiBenchmarks(table);
    zzbench::AppBenchmarks(table);
    table.print();
    return 0;
}
