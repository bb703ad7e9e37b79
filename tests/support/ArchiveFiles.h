#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Archives written and read around the code under test, record by record.
namespace archiveFiles {

// Replaces the file with `records` one after another; false when it cannot be written.
bool write(const QString& path, const QList<QByteArray>& records);

// The whole records of the file (none when it does not exist or cannot be read).
QList<QByteArray> read(const QString& path, int recordSize);

// The same for the program's record types.
template <typename Record>
bool writeRecords(const QString& path, const QList<Record>& records)
{
    QList<QByteArray> bytes;
    for (const Record& record : records)
        bytes.append(record.toBytes());
    return write(path, bytes);
}

template <typename Record>
QList<Record> readRecords(const QString& path)
{
    QList<Record> records;
    for (const QByteArray& bytes : read(path, Record::Size))
        records.append(Record::fromBytes(bytes));
    return records;
}

}  // namespace archiveFiles
