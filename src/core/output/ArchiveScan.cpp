#include "output/ArchiveScan.h"

#include "platform/VectorState.h"
#include "storage/RecordFile.h"
#include "withdrawal/WithdrawalMarks.h"

#include <QFile>

#include <exception>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/mman.h>
#include <sys/vfs.h>
#include <unistd.h>

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

// A file mapped read-only with every page filled in; unmapped however the visit ends.
struct Mapping {
    Mapping(int fd, std::size_t size) : bytes(size)
    {
        void* at = ::mmap(nullptr, bytes, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        start = at == MAP_FAILED ? nullptr : static_cast<const char*>(at);
    }
    ~Mapping()
    {
        if (start)
            ::munmap(const_cast<char*>(start), bytes);
    }
    Mapping(const Mapping&) = delete;
    Mapping& operator=(const Mapping&) = delete;

    std::size_t bytes;
    const char* start = nullptr;
};

// How many records ahead of the one visited the fields are fetched from memory.
constexpr std::ptrdiff_t FetchAhead = 8;

// The whole records mapped into memory, with no copy and no allocation per record. The mapping is
// filled in at once (cheaper than a fault per page, and it lets the fields of the records ahead be
// fetched while the visitor works: a pass waits for memory once rather than at every record).
// Where mapping is not possible, or not safe, the file is read in large blocks instead, which
// measured slower: every byte is copied.
bool visitMapped(const QString& path, int recordSize, qint64 count,
                 const std::function<void(qint64 position, QByteArrayView record)>& visitor, std::span<const int> touched)
{
    if (!onFixedLocalDisk(path))
        return false;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const Mapping mapped(fd, std::size_t(count * recordSize));
    ::close(fd);
    if (!mapped.start)
        return false;
    const char* record = mapped.start;
    const char* const end = record + mapped.bytes;
    const std::ptrdiff_t distance = FetchAhead * recordSize;
    for (qint64 position = 1; position <= count; ++position, record += recordSize) {
        if (end - record > distance) {
            for (const int offset : touched)
                __builtin_prefetch(record + distance + offset);
        }
        visitor(position, QByteArrayView(record, recordSize));
    }
    return true;
}

}  // namespace

QString visit(const QString& path, int recordSize,
              const std::function<void(qint64 position, QByteArrayView record)>& all, std::span<const int> touched,
              Withdrawn withdrawn)
{
    // A pass over a large archive is all memory reads; see VectorState.h.
    vectorState::clear();
    try {
        withdrawal::Marks marks;
        if (withdrawn == Withdrawn::LeftOut)
            marks = withdrawal::read(path);
        const auto current = [&all, &marks](qint64 position, QByteArrayView record) {
            if (!marks.isWithdrawn(position))
                all(position, record);
        };
        const std::function<void(qint64, QByteArrayView)>& visitor =
            marks.isEmpty() ? all : std::function<void(qint64, QByteArrayView)>(current);
        // Opening through the archive creates a missing file and reports an unusable one.
        const RecordFile file(path, recordSize);
        const qint64 count = file.count();
        if (count == 0 || visitMapped(path, recordSize, count, visitor, touched))
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
