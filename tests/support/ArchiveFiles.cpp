#include "ArchiveFiles.h"

#include <QFile>

namespace archiveFiles {

bool write(const QString& path, const QList<QByteArray>& records)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    for (const QByteArray& record : records) {
        if (file.write(record) != record.size())
            return false;
    }
    return file.flush();
}

QList<QByteArray> read(const QString& path, int recordSize)
{
    QFile file(path);
    QList<QByteArray> records;
    if (!file.open(QIODevice::ReadOnly))
        return records;
    const QByteArray bytes = file.readAll();
    for (qsizetype offset = 0; offset + recordSize <= bytes.size(); offset += recordSize)
        records.append(bytes.mid(offset, recordSize));
    return records;
}

}  // namespace archiveFiles
