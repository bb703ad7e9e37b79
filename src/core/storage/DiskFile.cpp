#include "storage/DiskFile.h"

#include "storage/FileFaults.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using fileFaults::Fault;

namespace {

QByteArray native(const QString& path) { return QFile::encodeName(path); }

QString systemError(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

// The call repeated while a signal interrupts it.
template <typename Call>
auto retrying(Call call)
{
    decltype(call()) result;
    do {
        result = call();
    } while (result == -1 && errno == EINTR);
    return result;
}

}  // namespace

DiskFile::~DiskFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

DiskFile::DiskFile(DiskFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
    , m_path(std::move(other.m_path))
    , m_error(std::move(other.m_error))
    , m_errno(other.m_errno)
{
}

DiskFile& DiskFile::operator=(DiskFile&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
        m_path = std::move(other.m_path);
        m_error = std::move(other.m_error);
        m_errno = other.m_errno;
    }
    return *this;
}

bool DiskFile::failed(const QString& what)
{
    m_errno = errno;
    m_error = QStringLiteral("%1 %2: %3").arg(what, m_path, systemError(m_errno));
    return false;
}

bool DiskFile::open(const QString& path, Access access)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_path = path;
    const QByteArray name = native(path);

    struct stat info {};
    const bool present = ::stat(name.constData(), &info) == 0;
    if (present && !S_ISREG(info.st_mode)) {
        errno = S_ISDIR(info.st_mode) ? EISDIR : ENODEV;
        return failed(QStringLiteral("not a regular file,"));
    }
    if (present && fileFaults::strike(Fault::OpenRefused, path))
        return failed(QStringLiteral("cannot open"));
    if (access == Access::ReadWrite && present && fileFaults::strike(Fault::OpenForWritingRefused, path))
        return failed(QStringLiteral("cannot open for writing"));
    if (access == Access::CreateNew && fileFaults::strike(Fault::CreateRefused, path))
        return failed(QStringLiteral("cannot create"));
    if (access == Access::CreateNew && fileFaults::strike(Fault::CreateRaced, path)) {
        // The other station's file, made for real: our own create then meets it.
        const int theirs = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (theirs >= 0)
            ::close(theirs);
    }

    // Non-blocking, so that a FIFO put in the file's place after the check cannot hang us.
    int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    switch (access) {
    case Access::Read:
        flags |= O_RDONLY;
        break;
    case Access::ReadWrite:
        flags |= O_RDWR;
        break;
    case Access::CreateNew:
        flags |= O_RDWR | O_CREAT | O_EXCL;
        break;
    }
    const int fd = retrying([&] { return ::open(name.constData(), flags, 0666); });
    if (fd < 0)
        return failed(QStringLiteral("cannot open"));
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = ENODEV;
        return failed(QStringLiteral("not a regular file,"));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_fd = fd;
    return true;
}

qint64 DiskFile::size()
{
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) {
        failed(QStringLiteral("cannot read the size of"));
        return -1;
    }
    return info.st_size;
}

bool DiskFile::readAt(qint64 offset, char* data, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = retrying([&] { return ::pread(m_fd, data + done, size_t(size - done), off_t(offset + done)); });
        if (got < 0)
            return failed(QStringLiteral("cannot read"));
        if (got == 0) {
            errno = EIO;
            return failed(QStringLiteral("short read (end of file at byte %1) in").arg(offset + done));
        }
        done += got;
    }
    return true;
}

bool DiskFile::writeAt(qint64 offset, const char* data, qint64 size)
{
    if (fileFaults::strike(Fault::WriteFails, m_path))
        return failed(QStringLiteral("cannot write"));
    if (fileFaults::strike(Fault::ShortWrite, m_path)) {
        const int saved = errno;
        const qint64 half = size / 2;
        if (::pwrite(m_fd, data, size_t(half), off_t(offset)) < 0)
            return failed(QStringLiteral("cannot write"));
        errno = saved;
        return failed(QStringLiteral("short write (%1 of %2 bytes) to").arg(half).arg(size));
    }
    if (fileFaults::strike(Fault::StopsMidWrite, m_path)) {
        (void)!::pwrite(m_fd, data, size_t(size / 2), off_t(offset));
        ::_exit(fileFaults::stoppedExitCode);
    }
    qint64 done = 0;
    while (done < size) {
        const ssize_t put = retrying([&] { return ::pwrite(m_fd, data + done, size_t(size - done), off_t(offset + done)); });
        if (put <= 0) {
            if (put == 0)
                errno = ENOSPC;
            return failed(QStringLiteral("cannot write"));
        }
        done += put;
    }
    fileFaults::stopIfStruck(Fault::StopsAfterWrite, m_path);
    return true;
}

bool DiskFile::truncate(qint64 size)
{
    if (retrying([&] { return ::ftruncate(m_fd, off_t(size)); }) != 0)
        return failed(QStringLiteral("cannot truncate"));
    return true;
}

bool DiskFile::sync()
{
    if (fileFaults::strike(Fault::FlushFails, m_path) || retrying([&] { return ::fdatasync(m_fd); }) != 0)
        return failed(QStringLiteral("cannot flush"));
    fileFaults::stopIfStruck(Fault::StopsAfterFlush, m_path);
    return true;
}

bool DiskFile::close()
{
    const int fd = std::exchange(m_fd, -1);
    if (fd < 0)
        return true;
    // Retrying a close after EINTR could close someone else's descriptor: Linux has closed it.
    const bool refused = fileFaults::strike(Fault::CloseFails, m_path);
    if (refused) {
        ::close(fd);
        errno = EIO;
        return failed(QStringLiteral("cannot close"));
    }
    if (::close(fd) != 0 && errno != EINTR)
        return failed(QStringLiteral("cannot close"));
    return true;
}

bool DiskFile::setPermissionsOf(const QString& otherPath)
{
    struct stat info {};
    if (::stat(native(otherPath).constData(), &info) != 0)
        return true;  // nothing to copy from
    if (::fchmod(m_fd, info.st_mode & 07777) != 0)
        return failed(QStringLiteral("cannot set the permissions of"));
    return true;
}

bool DiskFile::tryLock()
{
    if (retrying([&] { return ::flock(m_fd, LOCK_EX | LOCK_NB); }) != 0)
        return failed(QStringLiteral("cannot lock"));
    return true;
}

int DiskFile::release() { return std::exchange(m_fd, -1); }

bool DiskFile::openForReading(const QString& path, QFile& file, QString* error)
{
    DiskFile checked;
    if (!checked.open(path, Access::Read)) {
        if (error)
            *error = checked.errorString();
        return false;
    }
    file.setFileName(path);
    const int fd = checked.release();
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool DiskFile::isSpecialFile(const QString& path)
{
    struct stat info {};
    return ::lstat(native(path).constData(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode);
}

bool DiskFile::isRegularFile(const QString& path)
{
    struct stat info {};
    return ::stat(native(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

bool DiskFile::exists(const QString& path)
{
    struct stat info {};
    return ::lstat(native(path).constData(), &info) == 0;
}

bool DiskFile::isOtherThanRegularFile(const QString& path)
{
    struct stat link {};
    if (::lstat(native(path).constData(), &link) != 0)
        return false;
    if (S_ISREG(link.st_mode))
        return false;
    if (!S_ISLNK(link.st_mode))
        return true;
    struct stat target {};
    return ::stat(native(path).constData(), &target) != 0 ? errno != ENOENT || exists(path) : !S_ISREG(target.st_mode);
}

bool DiskFile::remove(const QString& path, QString* error)
{
    if (fileFaults::strike(Fault::RemoveRefused, path) || ::unlink(native(path).constData()) != 0) {
        if (error)
            *error = QStringLiteral("cannot delete %1: %2").arg(path, systemError(errno));
        return false;
    }
    return true;
}

bool DiskFile::replace(const QString& from, const QString& to, QString* error)
{
    if (fileFaults::strike(Fault::RenameFails, to) || ::rename(native(from).constData(), native(to).constData()) != 0) {
        if (error)
            *error = QStringLiteral("cannot replace %1: %2").arg(to, systemError(errno));
        return false;
    }
    // The new name is durable only once the folder is.
    syncFolderOf(to);
    return true;
}

bool DiskFile::syncFolderOf(const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = !fileFaults::strike(Fault::FlushFails, folder) && retrying([&] { return ::fsync(fd); }) == 0;
    ::close(fd);
    if (synced)
        fileFaults::stopIfStruck(Fault::StopsAfterFlush, folder);
    return synced;
}
