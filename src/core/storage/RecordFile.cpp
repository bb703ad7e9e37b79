#include "storage/RecordFile.h"

#include "storage/ArchiveError.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

RecordFile::RecordFile(const QString& path, int recordSize)
    : m_file(std::make_unique<QFile>(path)), m_path(path), m_recordSize(recordSize)
{
    if (recordSize <= 0)
        fail(QStringLiteral("invalid record size %1").arg(recordSize));

    // Unbuffered: a failing write must fail here, not later when the object is destroyed.
    constexpr auto Unbuffered = QIODevice::Unbuffered;
    if (m_file->open(QIODevice::ReadWrite | QIODevice::ExistingOnly | Unbuffered))
        return;
    const QString readWriteError = m_file->errorString();

    if (QFileInfo::exists(path)) {
        // Never fall back to creating: that would empty an archive we merely may not write.
        if (m_file->open(QIODevice::ReadOnly | Unbuffered)) {
            m_readOnly = true;
            m_writeRefusal = readWriteError;
            return;
        }
        fail(QStringLiteral("cannot open (%1; read-only: %2)").arg(readWriteError, m_file->errorString()));
    }
    if (!m_file->open(QIODevice::ReadWrite | QIODevice::NewOnly | Unbuffered))
        fail(QStringLiteral("cannot create (%1)").arg(m_file->errorString()));
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
    return m_file->size() / m_recordSize;
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

void RecordFile::readExactly(qint64 offset, char* buffer, qint64 size) const
{
    if (!m_file->seek(offset))
        fail(QStringLiteral("cannot seek to byte %1 (%2)").arg(offset).arg(m_file->errorString()));
    qint64 done = 0;
    while (done < size) {
        const qint64 got = m_file->read(buffer + done, size - done);
        if (got <= 0)
            fail(QStringLiteral("short read at byte %1: %2 of %3 bytes (%4)")
                     .arg(offset)
                     .arg(done)
                     .arg(size)
                     .arg(got < 0 ? m_file->errorString() : QStringLiteral("end of file")));
        done += got;
    }
}

void RecordFile::writeAt(qint64 offset, const QByteArray& record)
{
    if (m_readOnly)
        fail(QStringLiteral("cannot write, the file may only be read (%1)").arg(m_writeRefusal));
    if (!m_file->seek(offset))
        fail(QStringLiteral("cannot seek to byte %1 (%2)").arg(offset).arg(m_file->errorString()));
    if (m_file->write(record) != record.size())
        fail(QStringLiteral("write failed at byte %1 (%2)").arg(offset).arg(m_file->errorString()));
    if (!m_file->flush())
        fail(QStringLiteral("flush failed (%1)").arg(m_file->errorString()));
}

QByteArray RecordFile::read(qint64 position) const
{
    checkPosition(position);
    QByteArray record(m_recordSize, Qt::Uninitialized);
    readExactly((position - 1) * m_recordSize, record.data(), m_recordSize);
    return record;
}

void RecordFile::update(qint64 position, const QByteArray& record)
{
    checkRecord(record);
    checkPosition(position);
    writeAt((position - 1) * m_recordSize, record);
}

qint64 RecordFile::append(const QByteArray& record)
{
    checkRecord(record);
    const qint64 position = count() + 1;
    writeAt((position - 1) * m_recordSize, record);
    return position;
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
