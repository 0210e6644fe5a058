// Holds a lock file from another process for the single-instance tests: locks
// the file named on the command line, prints "locked" and keeps the lock until
// its standard input closes, which also happens when the test process dies.

#include <QCoreApplication>
#include <QLockFile>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    QLockFile lock(QString::fromLocal8Bit(argv[1]));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0))
        return 1;
    std::puts("locked");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
