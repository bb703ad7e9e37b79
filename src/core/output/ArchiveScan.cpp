#include "output/ArchiveScan.h"

#include "storage/RecordFile.h"

#include <exception>

namespace archiveScan {

QString visit(const QString& path, int recordSize,
              const std::function<void(qint64 position, QByteArrayView record)>& visitor)
{
    try {
        const RecordFile file(path, recordSize);
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

Result rows(const QString& path, int recordSize, const RowRule& rule)
{
    Result result;
    result.error = visit(path, recordSize, [&](qint64 position, QByteArrayView record) {
        if (std::optional<QString> row = rule(record))
            result.rows.append({std::move(*row), position});
    });
    return result;
}

}  // namespace archiveScan
