#pragma once

// Folders the tournament screens cannot write in, for the tests of their failure reports.

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

// While it lives, nothing can be created in or deleted from `path`. Permission bits do that for an
// ordinary user; the superuser is stopped only by the file system's immutable attribute, where the
// file system has one and the process may set it. isLocked() says whether either worked.
class LockedFolder {
public:
    explicit LockedFolder(const QString& path)
        : m_path(path)
        , m_permissions(QFileInfo(path).permissions())
    {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                        | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
        m_locked = !canCreate();
        if (m_locked)
            return;
        m_immutable = setImmutable(true);
        m_locked = m_immutable && !canCreate();
        if (m_immutable && !m_locked) {
            setImmutable(false);
            m_immutable = false;
        }
    }
    ~LockedFolder()
    {
        if (m_immutable)
            setImmutable(false);
        QFile::setPermissions(m_path, m_permissions);
    }
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;

    bool isLocked() const { return m_locked; }

private:
    bool canCreate()
    {
        QFile probe(m_path + QStringLiteral("/.prova"));
        if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return false;
        probe.close();
        probe.remove();
        return true;
    }

    bool setImmutable(bool on)
    {
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (ok) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return ok;
    }

    QString m_path;
    QFileDevice::Permissions m_permissions;
    bool m_immutable = false;
    bool m_locked = false;
};
