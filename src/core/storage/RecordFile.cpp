#include "storage/RecordFile.h"

#include "storage/ArchiveError.h"
#include "storage/ArchiveLock.h"

#include <algorithm>
#include <cerrno>

RecordFile::RecordFile(const QString& path, int recordSize)
    : m_path(path)
    , m_recordSize(recordSize)
{
    if (recordSize <= 0)
        fail(QStringLiteral("invalid record size %1").arg(recordSize));

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

void RecordFile::writeDurably(DiskFile& writer, qint64 offset, const QByteArray& record, const QByteArray& previous,
                              qint64 previousSize) const
{
    if (writer.writeAt(offset, record.constData(), record.size()) && writer.sync()) {
        // Closed before the lock goes, so that the next station's open sees it all.
        if (!writer.close())
            fail(writer.errorString());
        return;
    }
    const QString why = writer.errorString();
    // Put back what was there, so that every other station still reads whole, old records.
    if (previous.isEmpty())
        writer.truncate(previousSize);
    else
        writer.writeAt(offset, previous.constData(), previous.size());
    writer.sync();
    fail(why);
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
    checkRecord(record);
    checkWritable();
    const ArchiveLock lock(m_path);
    DiskFile writer = openForWriting();
    const qint64 records = writer.size() / m_recordSize;
    if (position < 1 || position > records)
        fail(QStringLiteral("record %1 does not exist (%2 records)").arg(position).arg(records));
    const qint64 offset = (position - 1) * m_recordSize;
    QByteArray current(m_recordSize, Qt::Uninitialized);
    if (!writer.readAt(offset, current.data(), m_recordSize))
        fail(writer.errorString());
    if (unchanged && !unchanged(current))
        throw RecordChanged(QStringLiteral("Archive file %1: record %2 was changed by another station")
                                .arg(m_path)
                                .arg(position)
                                .toStdString());
    writeDurably(writer, offset, record, current, 0);
}

qint64 RecordFile::append(const QByteArray& record)
{
    checkRecord(record);
    checkWritable();
    const ArchiveLock lock(m_path);
    DiskFile writer = openForWriting();
    const qint64 previousSize = writer.size();
    if (previousSize < 0)
        fail(writer.errorString());
    const qint64 position = previousSize / m_recordSize + 1;
    writeDurably(writer, (position - 1) * m_recordSize, record, {}, previousSize);
    return position;
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
    QByteArray chunk;
    for (qint64 first = 1; first <= records; first += perChunk) {
        const qint64 inChunk = std::min(perChunk, records - first + 1);
        chunk.resize(inChunk * m_recordSize);
        readExactly((first - 1) * m_recordSize, chunk.data(), chunk.size());
        for (qint64 i = 0; i < inChunk; ++i) {
            if (!visit(first + i, QByteArrayView(chunk.constData() + i * m_recordSize, m_recordSize)))
                return;
        }
    }
}
