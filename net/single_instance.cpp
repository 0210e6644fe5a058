#include "net/single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <memory>

QString instance_lock_path()
{
    // A fixed folder under the user's data folder, whatever the executable
    // is called or the application name says.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/Vintora/instance.lock");
}

bool claim_single_instance()
{
    // One lock per process: every window of this process may run.
    static std::unique_ptr<QLockFile> held;
    if (held)
        return true;
    const QString path = instance_lock_path();
    QDir().mkpath(QFileInfo(path).absolutePath());
    auto lock = std::make_unique<QLockFile>(path);
    // The lock lives as long as the program, so its age says nothing; only a
    // holder that is no longer running makes it stale.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        held = std::move(lock);
        return true;
    }
    // A lock that cannot be written at all must not keep the player out.
    return lock->error() != QLockFile::LockFailedError;
}
