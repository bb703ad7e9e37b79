#include "storage/RecordJournal.h"

#include "storage/ArchiveError.h"
#include "storage/ArchiveLock.h"
#include "storage/DiskFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QSysInfo>
#include <QtEndian>

#include <cerrno>

namespace recordJournal {
namespace {

constexpr char Magic[8] = {'G', 'V', 'J', 'R', 'N', 'L', '0', '1'};
constexpr QCryptographicHash::Algorithm Checksum = QCryptographicHash::Sha256;
constexpr qint64 ChecksumBytes = 32;
// Magic, old size, number of pieces, length of the writer's name.
constexpr qint64 FixedHeaderBytes = 8 + 8 + 4 + 2;
constexpr qint64 PieceHeaderBytes = 8 + 4;
// Journal bytes gathered before they are written: few system calls for a large batch.
constexpr qsizetype WriteBlock = 1 << 20;

template <typename T>
void appendNumber(QByteArray& to, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    to.append(bytes, sizeof(T));
}

// Who writes: shown by nobody, but a journal found on a shared folder tells which station left it.
QByteArray writerName()
{
    return (QSysInfo::machineHostName() + QLatin1Char(' ') + QString::number(QCoreApplication::applicationPid())
            + QLatin1Char(' ') + QCoreApplication::applicationName())
        .toUtf8()
        .left(0xFFFF);
}

// The journal written in large blocks, its checksum kept up to date on the way.
class Output {
public:
    explicit Output(DiskFile& file) : m_file(file), m_checksum(Checksum) {}

    bool add(QByteArrayView bytes)
    {
        m_checksum.addData(bytes);
        m_block.append(bytes);
        return m_block.size() < WriteBlock || flush();
    }
    bool finish()
    {
        m_block.append(m_checksum.result());
        return flush();
    }

private:
    bool flush()
    {
        const bool written = m_file.writeAt(m_at, m_block.constData(), m_block.size());
        m_at += m_block.size();
        m_block.clear();
        return written;
    }

    DiskFile& m_file;
    QCryptographicHash m_checksum;
    QByteArray m_block;
    qint64 m_at = 0;
};

// A journal read back: whole (its checksum matches) or not.
class Input {
public:
    explicit Input(DiskFile& file) : m_file(file) {}

    // False with the file's error; `whole` tells whether the checksum matched.
    bool check(bool& whole)
    {
        whole = false;
        const qint64 size = m_file.size();
        if (size < 0)
            return false;
        if (size < FixedHeaderBytes + ChecksumBytes)
            return true;
        m_end = size - ChecksumBytes;
        QCryptographicHash checksum(Checksum);
        QByteArray block(WriteBlock, Qt::Uninitialized);
        for (qint64 at = 0; at < m_end; at += block.size()) {
            const qint64 part = std::min<qint64>(block.size(), m_end - at);
            if (!m_file.readAt(at, block.data(), part))
                return false;
            checksum.addData(QByteArrayView(block.constData(), part));
        }
        QByteArray stored(ChecksumBytes, Qt::Uninitialized);
        if (!m_file.readAt(m_end, stored.data(), ChecksumBytes))
            return false;
        whole = stored == checksum.result();
        return true;
    }

    // The next `size` bytes, empty when the journal ends before.
    QByteArray take(qint64 size)
    {
        if (size < 0 || size > m_end - m_at)
            return {};
        QByteArray bytes(size, Qt::Uninitialized);
        if (!m_file.readAt(m_at, bytes.data(), size))
            return {};
        m_at += size;
        return bytes;
    }
    template <typename T>
    bool number(T& value)
    {
        const QByteArray bytes = take(sizeof(T));
        if (bytes.size() != qsizetype(sizeof(T)))
            return false;
        value = qFromLittleEndian<T>(bytes.constData());
        return true;
    }
    bool atEnd() const { return m_at == m_end; }

private:
    DiskFile& m_file;
    qint64 m_at = 0;
    qint64 m_end = 0;
};

bool failed(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

// Puts back into the archive what the whole journal `input` holds.
bool putBack(const QString& archivePath, Input& input, QString* error)
{
    const QString broken = QStringLiteral("journal %1 does not read as one").arg(pathFor(archivePath));
    if (input.take(sizeof Magic) != QByteArray(Magic, sizeof Magic))
        return failed(error, broken);
    qint64 oldSize = 0;
    quint32 pieces = 0;
    quint16 writer = 0;
    if (!input.number(oldSize) || !input.number(pieces) || !input.number(writer) || oldSize < 0)
        return failed(error, broken);
    input.take(writer);

    DiskFile archive;
    if (!archive.open(archivePath, DiskFile::Access::ReadWrite)) {
        if (archive.errorCode() == ENOENT)
            return true;  // the archive went as a whole: nothing to put back into
        return failed(error, archive.errorString());
    }
    for (quint32 i = 0; i < pieces; ++i) {
        qint64 offset = 0;
        quint32 length = 0;
        if (!input.number(offset) || !input.number(length) || offset < 0 || offset + length > oldSize)
            return failed(error, broken);
        const QByteArray bytes = input.take(length);
        if (bytes.size() != qsizetype(length))
            return failed(error, broken);
        if (!archive.writeAt(offset, bytes.constData(), bytes.size()))
            return failed(error, archive.errorString());
    }
    if (!input.atEnd())
        return failed(error, broken);
    if (!archive.truncate(oldSize) || !archive.sync() || !archive.close())
        return failed(error, archive.errorString());
    return true;
}

}  // namespace

QString pathFor(const QString& archivePath) { return archivePath + QStringLiteral(".journal"); }

bool write(const QString& archivePath, qint64 oldSize, const QList<Saved>& saved, QString* error)
{
    const QString path = pathFor(archivePath);
    DiskFile file;
    if (!file.open(path, DiskFile::Access::CreateNew))
        return failed(error, file.errorString());
    file.setPermissionsOf(archivePath);
    Output out(file);
    QByteArray header(Magic, sizeof Magic);
    appendNumber<qint64>(header, oldSize);
    appendNumber<quint32>(header, quint32(saved.size()));
    const QByteArray writer = writerName();
    appendNumber<quint16>(header, quint16(writer.size()));
    header.append(writer);
    bool ok = out.add(header);
    for (qsizetype i = 0; ok && i < saved.size(); ++i) {
        QByteArray piece;
        appendNumber<qint64>(piece, saved.at(i).offset);
        appendNumber<quint32>(piece, quint32(saved.at(i).bytes.size()));
        ok = out.add(piece) && out.add(saved.at(i).bytes);
    }
    // The folder entry too: a journal whose name is lost with the machine's power undoes nothing.
    if (ok && out.finish() && file.sync() && file.close() && DiskFile::syncFolderOf(path))
        return true;
    const QString why = file.errorString().isEmpty() ? QStringLiteral("cannot flush the folder of %1").arg(path)
                                                     : file.errorString();
    file.close();
    DiskFile::remove(path);
    return failed(error, why);
}

bool commit(const QString& archivePath, QString* error)
{
    const QString path = pathFor(archivePath);
    if (!DiskFile::remove(path, error))
        return false;
    if (!DiskFile::syncFolderOf(path))
        return failed(error, QStringLiteral("cannot flush the folder of %1").arg(path));
    return true;
}

bool rollBackLocked(const QString& archivePath, QString* error)
{
    const QString path = pathFor(archivePath);
    if (!DiskFile::exists(path))
        return true;
    DiskFile file;
    if (!file.open(path, DiskFile::Access::Read))
        return failed(error, file.errorString());
    Input input(file);
    bool whole = false;
    if (!input.check(whole))
        return failed(error, file.errorString());
    // A journal cut short was being written: the archive had not been touched yet.
    if (whole && !putBack(archivePath, input, error))
        return false;
    file.close();
    return commit(archivePath, error);
}

void recover(const QString& archivePath)
{
    if (!DiskFile::exists(pathFor(archivePath)))
        return;
    const ArchiveLock lock(archivePath);
    QString error;
    if (!rollBackLocked(archivePath, &error))
        throw ArchiveError(
            QStringLiteral("Archive file %1: an interrupted write cannot be undone (%2)").arg(archivePath, error).toStdString());
}

}  // namespace recordJournal
