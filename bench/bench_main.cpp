#include "benchtable.h"

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace zzbench {

namespace {
int records = 50000;
bool sizeGiven = false;
} // namespace

bool SizeGiven()
{
    return sizeGiven;
}

int Records()
{
    return records;
}

void SetRecords(int count)
{
    records = count;
    sizeGiven = true;
}

QString WithThousands(int n)
{
    return QLocale(QLocale::English).toString(n); // "200,000"
}

QString AtSize(QString name)
{
    return records == 50000 ? name : name.replace(QStringLiteral("50,000"), WithThousands(records));
}

// The most memory the process has held, from the kernel's own count.
QString PeakMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return QStringLiteral("%1 MB").arg(line.mid(6).trimmed().split(' ').first().toLongLong() / 1024);
    return QStringLiteral("unknown");
}

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
    m_rows.append({AtSize(name), best, Records() == 50000 ? targetMs : 0});
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
    const QStringList arguments = app.arguments();
    const bool programOnly = arguments.contains(QStringLiteral("--program"));
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--records")); at >= 0) {
        bool ok = false;
        const int records = arguments.value(at + 1).toInt(&ok);
        if (!ok || records < 1000) {
            std::fprintf(stderr, "usage: zzbench [--records N] [--program]   (N at least 1000)\n");
            return 2;
        }
        zzbench::SetRecords(records);
    }
    zzbench::Table table;
    if (programOnly) {
        // The program alone: its startup and every panel, and the memory it takes.
        zzbench::ProgramBenchmarks(table);
        table.print();
        QTextStream(stdout) << QStringLiteral("records: %1, peak memory of the program: %2\n")
                                   .arg(zzbench::Records())
                                   .arg(zzbench::PeakMemory());
        return 0;
    }
    zzbench::StoreBenchmarks(table);
    zzbench::UiBenchmarks(table);
    zzbench::AppBenchmarks(table);
    table.print();
    QTextStream(stdout) << QStringLiteral("records: %1, peak memory: %2\n")
                               .arg(zzbench::Records())
                               .arg(zzbench::PeakMemory());
    return 0;
}
