#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <memory>

class QFile;

// One archive file: fixed-size records one after another, nothing else. Positions are 1-based;
// bytes after the last whole record do not count and are overwritten by the next append.
//
// The file stays open for the life of the object, which callers keep for one operation only.
// Every failure throws ArchiveError naming what failed and the path.
class RecordFile {
public:
    // Records read per block by scan(); large archives are read in few system calls.
    static constexpr qint64 ScanChunkBytes = qint64(1) << 20;

    // Opens the file for reading and writing, or creates it empty when it does not exist. An
    // existing file that may only be read is opened read-only: reads work, writes throw. An
    // existing file is never truncated or recreated.
    RecordFile(const QString& path, int recordSize);
    ~RecordFile();
    RecordFile(RecordFile&&) noexcept;
    RecordFile& operator=(RecordFile&&) noexcept;

    QString path() const { return m_path; }
    int recordSize() const { return m_recordSize; }
    // True when the operating system refused write access to the existing file.
    bool isReadOnly() const { return m_readOnly; }

    // Whole records in the file.
    qint64 count() const;

    // The record at `position` (1..count).
    QByteArray read(qint64 position) const;

    // Overwrites the record at `position` (1..count); `record` must be recordSize() bytes.
    void update(qint64 position, const QByteArray& record);

    // Writes `record` after the last whole record and returns its position.
    qint64 append(const QByteArray& record);

    // Visits the records from the first in file order; `visit` returns false to stop. The view
    // is valid only during the call.
    void scan(const std::function<bool(qint64 position, QByteArrayView record)>& visit) const;

private:
    [[noreturn]] void fail(const QString& what) const;
    void checkPosition(qint64 position) const;
    void checkRecord(const QByteArray& record) const;
    void readExactly(qint64 offset, char* buffer, qint64 size) const;
    void writeAt(qint64 offset, const QByteArray& record);

    std::unique_ptr<QFile> m_file;
    QString m_path;
    int m_recordSize = 0;
    bool m_readOnly = false;
    QString m_writeRefusal;  // why read-write opening failed, for the error of a later write
};
