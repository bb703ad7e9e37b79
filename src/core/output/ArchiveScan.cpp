#include "output/ArchiveScan.h"

#include "platform/VectorState.h"
#include "storage/RecordFile.h"
#include "withdrawal/WithdrawalMarks.h"

#include <algorithm>
#include <exception>

namespace archiveScan {
namespace {

// How many records ahead of the one visited the fields are fetched from memory.
constexpr qint64 FetchAhead = 8;

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
        // The records come in blocks read into one buffer that stays in the cache. Mapping the
        // file instead measured two to three times slower where page tables are dear (a virtual
        // machine): every page of a large archive then costs the system more than copying it.
        const qint64 perBlock = std::max<qint64>(1, RecordFile::ScanChunkBytes / recordSize);
        const qint64 count = file.count();
        file.scan([&](qint64 position, QByteArrayView record) {
            // The fields of a record a few places on, when it lies in the same block.
            if ((position - 1) % perBlock + FetchAhead < perBlock && position + FetchAhead <= count) {
                for (const int offset : touched)
                    __builtin_prefetch(record.data() + FetchAhead * recordSize + offset);
            }
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
