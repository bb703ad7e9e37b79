#include "storage/ArchiveLock.h"

#include "storage/ArchiveError.h"
#include "storage/DiskFile.h"
#include "storage/FileFaults.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

namespace {

std::chrono::milliseconds& configuredPatience()
{
    static std::chrono::milliseconds wait{4000};
    return wait;
}

[[noreturn]] void fail(const QString& lockPath, const QString& why)
{
    throw ArchiveError(QStringLiteral("Lock file %1: %2").arg(lockPath, why).toStdString());
}

// A station writes its name into the lock right after creating it. One killed in between leaves
// an empty lock, which names no process to check; once it is older than that step could take,
// nobody is coming back for it. (A live holder on this computer still keeps it: removal needs
// the holder's file lock.)
bool isUnfinished(const QString& lockPath)
{
    const QFileInfo lock(lockPath);
    return lock.exists() && lock.size() == 0
        && lock.lastModified().msecsTo(QDateTime::currentDateTime()) > ArchiveLock::unfinishedAfter.count();
}

}  // namespace

QString ArchiveLock::lockPathFor(const QString& archivePath) { return archivePath + QStringLiteral(".lock"); }

std::chrono::milliseconds ArchiveLock::patience() { return configuredPatience(); }
void ArchiveLock::setPatience(std::chrono::milliseconds wait) { configuredPatience() = wait; }

ArchiveLock::ArchiveLock(const QString& archivePath)
{
    const QString path = lockPathFor(archivePath);
    // The lock is a file created in the folder: a folder that takes no new file takes no lock.
    if (fileFaults::strike(fileFaults::Fault::CreateRefused, path))
        fail(path, QStringLiteral("the folder refuses new files"));
    // Reading the holder's name from a FIFO put there would block for ever.
    if (DiskFile::isOtherThanRegularFile(path))
        throw LockNotAFile(QStringLiteral("Lock file %1: not a regular file").arg(path).toStdString(), path);
    m_lock = std::make_unique<QLockFile>(path);
    m_lock->setStaleLockTime(int(staleAfter.count()));

    // Writes take milliseconds: poll briefly rather than with QLockFile's growing sleeps.
    const QDeadlineTimer deadline(patience());
    int pause = 1;
    while (!m_lock->tryLock(0)) {
        if (m_lock->error() != QLockFile::LockFailedError)
            fail(path, m_lock->error() == QLockFile::PermissionError ? QStringLiteral("permission denied")
                                                                      : QStringLiteral("cannot be created"));
        qint64 pid = 0;
        QString host;
        QString application;
        if (!m_lock->getLockInfo(&pid, &host, &application) && isUnfinished(path))
            m_lock->removeStaleLockFile();
        if (deadline.hasExpired()) {
            throw ArchiveBusy(QStringLiteral("Lock file %1 held by process %2 on %3")
                                  .arg(path)
                                  .arg(pid)
                                  .arg(host)
                                  .toStdString(),
                              host);
        }
        QThread::msleep(pause);
        pause = std::min(pause * 2, 20);
    }
}

ArchiveLock::~ArchiveLock()
{
    if (m_lock)
        m_lock->unlock();
}
