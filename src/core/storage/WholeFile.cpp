#include "storage/WholeFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <functional>

namespace wholeFile {
namespace {

// Names longer than this are cut in the temporary file's name, which must stay within the file
// system's 255 bytes.
constexpr qsizetype maxNameBytes = 200;

// A leftover that cannot be tested for its lock (a share without locks) is taken for dead only
// once no write could still be going on.
constexpr qint64 unlockableLeftoverSeconds = 3600;

const QRegularExpression& temporaryPattern()
{
    static const QRegularExpression pattern(QStringLiteral("^\\.(.+)\\.golvera-\\d+-[0-9a-f]{8}\\.tmp$"));
    return pattern;
}

QString shortened(QString name)
{
    while (QFile::encodeName(name).size() > maxNameBytes) {
        name.chop(1);
        if (!name.isEmpty() && name.back().isHighSurrogate())
            name.chop(1);
    }
    return name;
}

// Whether a leftover's writer is gone: nobody holds its lock any more.
bool isAbandoned(const QString& path)
{
    DiskFile probe;
    if (!probe.open(path, DiskFile::Access::Read))
        return false;
    if (probe.tryLock())
        return true;
    if (probe.errorCode() == EWOULDBLOCK)
        return false;
    return QFileInfo(path).lastModified().secsTo(QDateTime::currentDateTime()) > unlockableLeftoverSeconds;
}

// Removes the dead writers' temporary files in `folder` whose target name `kind` accepts.
int removeLeftoversOf(const QString& folder, const std::function<bool(const QString&)>& kind)
{
    int removed = 0;
    const QDir dir(folder);
    const QStringList names =
        dir.entryList({QStringLiteral(".*.tmp")}, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString& name : names) {
        const QRegularExpressionMatch match = temporaryPattern().match(name);
        if (!match.hasMatch() || !kind(match.captured(1)))
            continue;
        const QString path = dir.filePath(name);
        if (isAbandoned(path) && DiskFile::remove(path))
            ++removed;
    }
    return removed;
}

}  // namespace

bool isTemporaryName(const QString& fileName) { return temporaryPattern().match(fileName).hasMatch(); }

int removeLeftovers(const QString& folder, const QString& kind)
{
    const QRegularExpression wanted(QRegularExpression::wildcardToRegularExpression(kind));
    return removeLeftoversOf(folder, [&wanted](const QString& name) { return wanted.match(name).hasMatch(); });
}

Writer::Writer(QString path, QString kind)
    : m_path(std::move(path))
    , m_kind(std::move(kind))
{
}

Writer::~Writer() { abandon(); }

bool Writer::fail(const QString& why)
{
    m_error = why;
    abandon();
    return false;
}

bool Writer::open()
{
    abandon();
    m_error.clear();
    m_position = m_size = 0;
    if (DiskFile::isSpecialFile(m_path))
        return fail(QStringLiteral("%1 is not a regular file").arg(m_path));

    const QFileInfo target(m_path);
    const QString name = shortened(target.fileName());
    if (m_kind.isEmpty())
        removeLeftoversOf(target.absolutePath(), [&name](const QString& leftover) { return leftover == name; });
    else
        removeLeftovers(target.absolutePath(), m_kind);
    // The process number keeps stations and processes apart (a process started by fork() draws
    // the same random numbers as its parent); the random part keeps apart the attempts of one.
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString temporary = QStringLiteral("%1/.%2.golvera-%3-%4.tmp")
                                      .arg(target.absolutePath(), name)
                                      .arg(QCoreApplication::applicationPid())
                                      .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        if (m_file.open(temporary, DiskFile::Access::CreateNew)) {
            m_temporary = temporary;
            // Tells the next writer of the kind that this one is alive (no lock on some shares:
            // the age rule covers those).
            m_file.tryLock();
            if (!m_file.setPermissionsOf(m_path))
                return fail(m_file.errorString());
            return true;
        }
        if (m_file.errorCode() != EEXIST)
            return fail(m_file.errorString());
    }
    return fail(m_file.errorString());
}

bool Writer::write(QByteArrayView bytes)
{
    if (!m_file.isOpen())
        return fail(m_error.isEmpty() ? QStringLiteral("%1 is not open for writing").arg(m_path) : m_error);
    if (!m_file.writeAt(m_position, bytes.data(), bytes.size()))
        return fail(m_file.errorString());
    m_position += bytes.size();
    m_size = std::max(m_size, m_position);
    return true;
}

bool Writer::seek(qint64 position)
{
    if (position < 0 || position > m_size)
        return fail(QStringLiteral("cannot move to byte %1 of %2 (%3 bytes written)").arg(position).arg(m_path).arg(m_size));
    m_position = position;
    return true;
}

bool Writer::commit()
{
    if (!m_file.isOpen())
        return fail(m_error.isEmpty() ? QStringLiteral("%1 is not open for writing").arg(m_path) : m_error);
    if (!m_file.sync())
        return fail(m_file.errorString());
    // A close that fails may have lost what the flush did not cover: the old file stays.
    if (!m_file.close())
        return fail(m_file.errorString());
    QString why;
    if (!DiskFile::replace(m_temporary, m_path, &why))
        return fail(why);
    m_temporary.clear();
    return true;
}

void Writer::abandon()
{
    m_file.close();
    if (!m_temporary.isEmpty())
        DiskFile::remove(m_temporary);
    m_temporary.clear();
}

bool write(const QString& path, QByteArrayView bytes, QString* error, const QString& kind)
{
    Writer writer(path, kind);
    if (writer.open() && writer.write(bytes) && writer.commit())
        return true;
    if (error)
        *error = writer.errorString();
    return false;
}

Copied copy(const std::function<qint64(char* into, qint64 size)>& read, Writer& out)
{
    if (!out.open())
        return {Copied::Failure::Write, out.errorString()};
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = read(buffer.data(), buffer.size());
        if (got < 0) {
            out.abandon();
            return {Copied::Failure::Read, {}};
        }
        if (got == 0)
            break;
        if (!out.write(QByteArrayView(buffer.constData(), qsizetype(got))))
            return {Copied::Failure::Write, out.errorString()};
    }
    if (!out.commit())
        return {Copied::Failure::Write, out.errorString()};
    return {};
}

}  // namespace wholeFile
