#include "storage/RecordFile.h"

#include "platform/PopulatedMemory.h"

#include "storage/ArchiveError.h"
#include "storage/ArchiveLock.h"
#include "storage/RecordJournal.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <future>
#include <system_error>
#include <vector>

RecordFile::RecordFile(const QString& path, int recordSize)
    : m_path(path)
    , m_recordSize(recordSize)
{
    if (recordSize <= 0)
        fail(QStringLiteral("invalid record size %1").arg(recordSize));
    // A dead writer's half-written batch is undone before anybody reads the archive.
    recordJournal::recover(path);

    using Access = DiskFile::Access;
    // Two attempts: another station may create the file between our open and our create.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (m_file.open(path, Access::ReadWrite))
            return;
        if (m_file.errorCode() != ENOENT) {
            // Never fall back to creating: that would empty an archive we merely may not write.
            const QString readWriteError = m_file.errorString();
            if (m_file.errorCode() == ENODEV || m_file.errorCode() == EISDIR || !m_file.open(path, Access::Read))
                fail(QStringLiteral("cannot open (%1; read-only: %2)").arg(readWriteError, m_file.errorString()));
            m_readOnly = true;
            m_writeRefusal = readWriteError;
            return;
        }
        if (m_file.open(path, Access::CreateNew))
            return;
        if (m_file.errorCode() != EEXIST)
            break;
    }
    fail(QStringLiteral("cannot create (%1)").arg(m_file.errorString()));
}

RecordFile::RecordFile(const QString& path, int recordSize, UnderLock)
    : m_path(path)
    , m_recordSize(recordSize)
    , m_readOnly(true)
    , m_writeRefusal(QStringLiteral("a view for the writer holding the lock"))
{
    if (!m_file.open(path, DiskFile::Access::Read))
        fail(m_file.errorString());
}

RecordFile::~RecordFile() = default;
RecordFile::RecordFile(RecordFile&&) noexcept = default;
RecordFile& RecordFile::operator=(RecordFile&&) noexcept = default;

void RecordFile::fail(const QString& what) const
{
    throw ArchiveError(QStringLiteral("Archive file %1: %2").arg(m_path, what).toStdString());
}

qint64 RecordFile::count() const
{
    const qint64 bytes = m_file.size();
    if (bytes < 0)
        fail(m_file.errorString());
    return bytes / m_recordSize;
}

void RecordFile::checkPosition(qint64 position) const
{
    const qint64 records = count();
    if (position < 1 || position > records)
        fail(QStringLiteral("record %1 does not exist (%2 records)").arg(position).arg(records));
}

void RecordFile::checkRecord(const QByteArray& record) const
{
    if (record.size() != m_recordSize)
        fail(QStringLiteral("a record of %1 bytes cannot be written, records are %2 bytes")
                 .arg(record.size())
                 .arg(m_recordSize));
}

void RecordFile::checkWritable() const
{
    if (m_readOnly)
        fail(QStringLiteral("cannot write, the file may only be read (%1)").arg(m_writeRefusal));
}

void RecordFile::readExactly(qint64 offset, char* buffer, qint64 size) const
{
    if (!m_file.readAt(offset, buffer, size))
        fail(m_file.errorString());
}

DiskFile RecordFile::openForWriting() const
{
    // Opened afresh under the lock: on a network share only a new open is sure to see the size
    // and the bytes another station has just written.
    DiskFile writer;
    if (!writer.open(m_path, DiskFile::Access::ReadWrite))
        fail(writer.errorString());
    return writer;
}

QByteArray RecordFile::read(qint64 position) const
{
    checkPosition(position);
    QByteArray record(m_recordSize, Qt::Uninitialized);
    readExactly((position - 1) * m_recordSize, record.data(), m_recordSize);
    return record;
}

void RecordFile::update(qint64 position, const QByteArray& record, const Unchanged& unchanged)
{
    writeAll({}, {{position, record, unchanged}});
}

qint64 RecordFile::append(const QByteArray& record)
{
    checkRecord(record);
    return writeAll(record);
}

qint64 RecordFile::writeAll(const QByteArray& appended, const QList<Change>& changes)
{
    if (appended.size() % m_recordSize != 0)
        fail(QStringLiteral("%1 bytes are no whole number of %2-byte records").arg(appended.size()).arg(m_recordSize));
    const Fill copy = [this, &appended](qint64 first, qint64 count, char* into) {
        std::memcpy(into, appended.constData() + first * m_recordSize, std::size_t(count * m_recordSize));
    };
    return writeAll(appended.size() / m_recordSize, copy, changes);
}

qint64 RecordFile::writeAll(qint64 count, const Fill& fill, const QList<Change>& changes)
{
    if (count < 0)
        fail(QStringLiteral("%1 records to append").arg(count));
    return write([&] { return Batch{count, fill, changes}; });
}

qint64 RecordFile::writeAllPrepared(const Prepare& prepare)
{
    return write([&] { return prepare(RecordFile(m_path, m_recordSize, UnderLock{})); });
}

bool RecordFile::appendFilled(DiskFile& writer, qint64 at, qint64 count, const Fill& fill) const
{
    const qint64 perPiece = std::clamp<qint64>(FillPieceBytes / m_recordSize, 1, std::max<qint64>(count, 1));
    const auto recordsFrom = [&](qint64 first) { return std::min(perPiece, count - first); };
    // Two pieces in turn: while one is written, the next is made on a helper thread.
    QByteArray pieces[2] = {QByteArray(perPiece * m_recordSize, Qt::Uninitialized),
                            QByteArray(count > perPiece ? perPiece * m_recordSize : 0, Qt::Uninitialized)};
    fill(0, recordsFrom(0), pieces[0].data());
    for (qint64 first = 0, k = 0; first < count; first += perPiece, ++k) {
        const qint64 next = first + perPiece;
        char* const nextPiece = pieces[(k + 1) % 2].data();
        std::future<void> ahead;
        if (next < count) {
            try {
                ahead = std::async(std::launch::async, [&, next, nextPiece] { fill(next, recordsFrom(next), nextPiece); });
            } catch (const std::system_error&) {
                // No thread to be had: made after the write, here.
            }
        }
        const QByteArray& piece = pieces[k % 2];
        const bool written = writer.writeAt(at + first * m_recordSize, piece.constData(), recordsFrom(first) * m_recordSize);
        if (ahead.valid())
            ahead.get();  // what the fill threw is thrown here
        else if (next < count && written)
            fill(next, recordsFrom(next), nextPiece);
        if (!written)
            return false;
    }
    return true;
}

qint64 RecordFile::write(const std::function<Batch()>& batchUnderLock)
{
    checkWritable();
    const ArchiveLock lock(m_path);
    QString error;
    // A dead writer's journal: its batch is undone before ours is written.
    if (!recordJournal::rollBackLocked(m_path, &error))
        fail(QStringLiteral("an interrupted write cannot be undone (%1)").arg(error));
    DiskFile writer = openForWriting();
    const qint64 previousSize = writer.size();
    if (previousSize < 0)
        fail(writer.errorString());
    const qint64 records = previousSize / m_recordSize;
    const Batch batch = batchUnderLock();
    const QList<Change>& changes = batch.changes;
    for (const Change& change : changes)
        checkRecord(change.record);

    // What each change overwrites, read and checked before anything is written.
    QList<recordJournal::Saved> previous;
    previous.reserve(changes.size() + 1);
    for (const Change& change : changes) {
        if (change.position < 1 || change.position > records)
            fail(QStringLiteral("record %1 does not exist (%2 records)").arg(change.position).arg(records));
        QByteArray current(m_recordSize, Qt::Uninitialized);
        if (!writer.readAt((change.position - 1) * m_recordSize, current.data(), m_recordSize))
            fail(writer.errorString());
        if (change.unchanged && !change.unchanged(current))
            throw RecordChanged(QStringLiteral("Archive file %1: record %2 was changed by another station")
                                    .arg(m_path)
                                    .arg(change.position)
                                    .toStdString());
        previous.append({(change.position - 1) * m_recordSize, current});
    }
    // The piece of a record cut short that the appended records overwrite.
    const qint64 end = records * m_recordSize;
    if (batch.count > 0 && previousSize > end) {
        QByteArray tail(previousSize - end, Qt::Uninitialized);
        if (!writer.readAt(end, tail.data(), tail.size()))
            fail(writer.errorString());
        previous.append({end, tail});
    }
    if (batch.count == 0 && changes.isEmpty())
        return records + 1;

    // One record is written whole or not at all as far as any reader can tell (a record cut short
    // at the end does not count); more than one needs the journal to be all or nothing.
    const bool journaled = batch.count + changes.size() > 1;
    if (journaled && !recordJournal::write(m_path, previousSize, previous, &error))
        fail(error);

    qsizetype tried = 0;  // changes whose write was tried
    // Put back what was there, so that every other station still reads whole, old records; a
    // change that failed halfway is put back too. Once all of it is back, the journal goes.
    const auto putBack = [&] {
        bool back = true;
        for (qsizetype i = tried - 1; i >= 0; --i)
            back = writer.writeAt(previous.at(i).offset, previous.at(i).bytes.constData(), m_recordSize) && back;
        if (batch.count > 0) {
            back = writer.truncate(previousSize) && back;
            if (previous.size() > changes.size())
                back = writer.writeAt(end, previous.last().bytes.constData(), previous.last().bytes.size()) && back;
        }
        back = writer.sync() && back;
        QString ignored;
        if (journaled && back)
            recordJournal::commit(m_path, &ignored);
    };
    bool ok = true;
    try {
        ok = batch.count == 0 || appendFilled(writer, end, batch.count, batch.fill);
    } catch (...) {
        putBack();  // what made the records failed: nothing of them stays
        throw;
    }
    for (; ok && tried < changes.size(); ++tried) {
        const Change& change = changes.at(tried);
        ok = writer.writeAt((change.position - 1) * m_recordSize, change.record.constData(), m_recordSize);
    }
    if (ok && writer.sync()) {
        // Closed before the lock goes, so that the next station's open sees it all.
        if (!writer.close())
            fail(writer.errorString());
        if (journaled && !recordJournal::commit(m_path, &error)) {
            // The batch does not count while its journal stands: undone now rather than later.
            QString ignored;
            recordJournal::rollBackLocked(m_path, &ignored);
            fail(error);
        }
        return records + 1;
    }
    const QString why = writer.errorString();
    putBack();
    fail(why);
}

void RecordFile::close()
{
    if (!m_file.close())
        fail(m_file.errorString());
}

void RecordFile::scan(const std::function<bool(qint64, QByteArrayView)>& visit) const
{
    const qint64 records = count();
    const qint64 perChunk = std::max<qint64>(1, ScanChunkBytes / m_recordSize);
    // One block for the whole pass, its pages in place from the start.
    std::vector<char, populatedMemory::Allocator<char>> chunk(std::size_t(std::min(perChunk, records) * m_recordSize));
    for (qint64 first = 1; first <= records; first += perChunk) {
        const qint64 inChunk = std::min(perChunk, records - first + 1);
        readExactly((first - 1) * m_recordSize, chunk.data(), inChunk * m_recordSize);
        for (qint64 i = 0; i < inChunk; ++i) {
            if (!visit(first + i, QByteArrayView(chunk.data() + i * m_recordSize, m_recordSize)))
                return;
        }
    }
}
