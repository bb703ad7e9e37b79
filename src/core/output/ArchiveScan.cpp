#include "output/ArchiveScan.h"

#include "storage/RecordFile.h"

#include <QFile>

#include <exception>

#include <linux/magic.h>
#include <sys/vfs.h>

namespace archiveScan {
namespace {

// A mapped file whose device goes away (a USB stick pulled out, a network share dropped) or that
// another program cuts short kills the process on the next page touched, where a read would only
// fail. So only files on the machine's own fixed-disk file systems are mapped.
bool onFixedLocalDisk(const QString& path)
{
    struct statfs info {};
    if (::statfs(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    switch (static_cast<unsigned long>(info.f_type)) {
    case EXT4_SUPER_MAGIC:  // also ext2 and ext3
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case F2FS_SUPER_MAGIC:
    case TMPFS_MAGIC:
        return true;
    default:
        return false;
    }
}

// The whole records mapped into memory: a list reads a few fields of each record, and only the
// pages holding them are ever touched, with no copy and no allocation per record. Where mapping
// is not possible, or not safe, the file is read in large blocks instead.
bool visitMapped(const QString& path, int recordSize, qint64 count,
                 const std::function<void(qint64 position, QByteArrayView record)>& visitor)
{
    if (!onFixedLocalDisk(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 bytes = count * recordSize;
    const uchar* mapped = file.map(0, bytes);
    if (!mapped)
        return false;
    const char* record = reinterpret_cast<const char*>(mapped);
    for (qint64 position = 1; position <= count; ++position, record += recordSize)
        visitor(position, QByteArrayView(record, recordSize));
    return true;
}

}  // namespace

QString visit(const QString& path, int recordSize,
              const std::function<void(qint64 position, QByteArrayView record)>& visitor)
{
    try {
        // Opening through the archive creates a missing file and reports an unusable one.
        const RecordFile file(path, recordSize);
        const qint64 count = file.count();
        if (count == 0 || visitMapped(path, recordSize, count, visitor))
            return {};
        file.scan([&visitor](qint64 position, QByteArrayView record) {
            visitor(position, record);
            return true;
        });
        return {};
    } catch (const std::exception& failure) {
        const QString what = QString::fromLocal8Bit(failure.what());
        return what.isEmpty() ? QStringLiteral("archive failure") : what;
    } catch (...) {
        return QStringLiteral("archive failure");
    }
}

}  // namespace archiveScan
