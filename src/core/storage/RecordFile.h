#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "storage/DiskFile.h"

#include <QList>

#include <functional>

// One archive file: fixed-size records one after another, nothing else. Positions are 1-based;
// bytes after the last whole record do not count and are overwritten by the next append.
//
// The file stays open for the life of the object, which callers keep for one operation only.
// Every failure throws ArchiveError naming what failed and the path.
//
// Several stations may share the archive. A write holds the archive's lock (ArchiveLock) for its
// length only, works on a handle opened and closed under the lock, is flushed to the disk before
// it returns, and a failed write leaves the file as it was before. Only regular files are opened.
class RecordFile {
public:
    // Records read per block by scan(); large archives are read in few system calls.
    static constexpr qint64 ScanChunkBytes = qint64(1) << 20;

    // Opens the file for reading and writing, or creates it empty when it does not exist. An
    // existing file that may only be read is opened read-only: reads work, writes throw. An
    // existing file is never truncated or recreated, also when another station creates it at the
    // same moment.
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

    // Tells whether the record now in the file is still the one the caller read.
    using Unchanged = std::function<bool(QByteArrayView current)>;

    // Overwrites the record at `position` (1..count); `record` must be recordSize() bytes. With
    // `unchanged`, the record is read again under the lock first, and when it is no longer the
    // one the caller read nothing is written and RecordChanged is thrown.
    void update(qint64 position, const QByteArray& record, const Unchanged& unchanged = {});

    // Writes `record` after the last whole record (counted under the lock) and returns its position.
    qint64 append(const QByteArray& record);

    // One record to overwrite in a batch; `unchanged` as for update().
    struct Change {
        qint64 position = 0;
        QByteArray record;
        Unchanged unchanged;
    };

    // Many records in one locked write: `appended` (whole records one after another) goes after
    // the last whole record, then every change overwrites its record, and all of it is flushed to
    // the disk once. Every change is checked before anything is written: a change whose record is
    // no longer the one the caller read throws RecordChanged and writes nothing. A write of more
    // than one record is all or nothing even when the process is killed or the machine stops
    // halfway: a journal beside the archive (RecordJournal.h) undoes it then, and a failure
    // reported here puts back what was there. Returns the position of the first appended record
    // (count + 1 when none is appended).
    qint64 writeAll(const QByteArray& appended, const QList<Change>& changes = {});

    // The same with `count` appended records that `fill` makes a piece at a time, so that
    // thousands of them are never in memory at once: it is called in file order with the first
    // record's index, how many, and where to write them, one call at a time but not always on the
    // caller's thread (the next piece is made while one is written). What it throws is thrown
    // on, the file left as it was.
    using Fill = std::function<void(qint64 first, qint64 count, char* into)>;
    qint64 writeAll(qint64 count, const Fill& fill, const QList<Change>& changes = {});
    // About how much one piece of a Fill holds.
    static constexpr qint64 FillPieceBytes = qint64(1) << 20;

    // What a write of many records writes, as the Fill overload takes it.
    struct Batch {
        qint64 count = 0;
        Fill fill;
        QList<Change> changes;
    };
    // Makes the batch once the lock is held, from the archive as it then is (`current`, whose
    // reads see every other station's writes): what another station wrote since the caller last
    // read is taken into account before anything is written. What it throws is thrown on, the
    // file left as it was.
    using Prepare = std::function<Batch(const RecordFile& current)>;
    qint64 writeAllPrepared(const Prepare& prepare);

    // Closes the file and reports a failing close; the destructor closes without looking.
    void close();

    // Visits the records from the first in file order; `visit` returns false to stop. The view
    // is valid only during the call.
    void scan(const std::function<bool(qint64 position, QByteArrayView record)>& visit) const;

private:
    struct UnderLock {};
    // A view of the archive for a Prepare: opened for reading, no journal looked at (the writer
    // holding the lock has dealt with it).
    RecordFile(const QString& path, int recordSize, UnderLock);

    [[noreturn]] void fail(const QString& what) const;
    void checkPosition(qint64 position) const;
    void checkRecord(const QByteArray& record) const;
    void checkWritable() const;
    void readExactly(qint64 offset, char* buffer, qint64 size) const;
    DiskFile openForWriting() const;
    // Every writeAll(): the batch is made under the lock.
    qint64 write(const std::function<Batch()>& batchUnderLock);
    // Writes the `count` records `fill` makes at `at`; false when a write failed.
    bool appendFilled(DiskFile& writer, qint64 at, qint64 count, const Fill& fill) const;

    mutable DiskFile m_file;
    QString m_path;
    int m_recordSize = 0;
    bool m_readOnly = false;
    QString m_writeRefusal;  // why read-write opening failed, for the error of a later write
};
