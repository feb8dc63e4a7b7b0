// Runs one write path on a diary folder: the child the kill tests kill.
// Usage: zzwritepath <path index> <folder>

#include "store/safefile.h"
#include "writepaths.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    const int index = std::atoi(argv[1]);
    const QList<writepaths::WritePath> paths = writepaths::Paths();
    if (index < 0 || index >= paths.size())
        return 2;
    if (const int step = qEnvironmentVariableIntValue("ZZ_KILL_AT_STEP"); step > 0)
        zz::testing::SetKillAtStep(step);
    return paths[index].write(QString::fromLocal8Bit(argv[2])).ok ? 0 : 1;
}
