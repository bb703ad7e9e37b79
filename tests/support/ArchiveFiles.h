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

}  // namespace archiveFiles
