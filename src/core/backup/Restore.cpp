// Restoring a backup, all or nothing: checked whole first, unpacked into a hidden folder inside
// the target, moved in only once every entry is on the disk.
#include "app/ProgramFolder.h"
#include "backup/Backup.h"
#include "backup/ZipAccess.h"
#include "storage/DiskFile.h"
#include "storage/WholeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

namespace backup {
namespace {

const QRegularExpression unpackingFolderPattern(QStringLiteral("^\\.golvera-ripristino-\\d+-[0-9a-f]{8}$"));

// Room asked for beyond the entries' own bytes: the folders' blocks and a margin.
constexpr qint64 spareBytes = 4 << 20;

struct Entry {
    qint64 index = 0;
    QString name;  // relative path, "/" between folders
    qint64 size = 0;
};

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

// A folder held open with its lock for as long as this lives: the next restore knows it is in use.
class LockedFolder {
public:
    LockedFolder() = default;
    ~LockedFolder()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;

    // False when another process holds the folder's lock (or it cannot be opened).
    bool lock(const QString& path)
    {
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
        return m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) == 0;
    }

private:
    int m_fd = -1;
};

// The files a program folder holds of its own, which may stand where a backup is restored: the
// programs, the user guide, the shipped password store, lock files, backups, archives that are
// still empty, and what an interrupted write or restore left behind.
bool isProgramsOwn(const QFileInfo& info)
{
    const QString name = info.fileName();
    if (info.isSymLink())
        return false;
    if (info.isDir()) {
        if (name == folderName || unpackingFolderPattern.match(name).hasMatch())
            return true;
        if (!archiveFolders.contains(name))
            return false;
        const QDir folder(info.filePath());
        for (const QFileInfo& inside : folder.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
            if (!inside.isFile() || inside.isSymLink() || !wholeFile::isTemporaryName(inside.fileName()))
                return false;
        }
        return true;
    }
    if (!info.isFile())
        return false;
    static const QStringList programs{QStringLiteral("golvera"), QStringLiteral("golvera-cli"),
                                      programFolder::userGuideName, programFolder::passwordStoreName};
    if (programs.contains(name) || name.endsWith(QStringLiteral(".lock")) || wholeFile::isTemporaryName(name))
        return true;
    return (name == programFolder::teamArchiveName || name == programFolder::playerArchiveName) && info.size() == 0;
}

// Why `folder` cannot take a restore; empty when it can.
QString inTheWay(const QString& folder)
{
    const QDir dir(folder);
    for (const QString& sub : archiveFolders) {
        if (QFileInfo(dir.filePath(sub)).isSymLink())
            return QStringLiteral("la cartella %1 \u00E8 un collegamento a un'altra cartella: il ripristino non la usa")
                .arg(native(dir.filePath(sub)));
    }
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& info : entries) {
        if (isProgramsOwn(info))
            continue;
        if (isArchiveName(info.fileName()) || archiveFolders.contains(info.fileName()))
            return QStringLiteral("la cartella %1 contiene gi\u00E0 degli archivi (%2)").arg(native(folder), info.fileName());
        return QStringLiteral("la cartella %1 contiene gi\u00E0 il file %2, che non \u00E8 del programma: il ripristino "
                              "si fa in una cartella vuota")
            .arg(native(folder), info.fileName());
    }
    return {};
}

// Removes what interrupted restores left in `folder`.
void removeLeftovers(const QString& folder)
{
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::Hidden | QDir::NoSymLinks | QDir::NoDotAndDotDot)) {
        if (!unpackingFolderPattern.match(name).hasMatch())
            continue;
        LockedFolder leftover;
        if (leftover.lock(dir.filePath(name)))
            QDir(dir.filePath(name)).removeRecursively();
    }
}

qint64 freeBytes(QString folder)
{
    while (!QFileInfo(folder).isDir() && QFileInfo(folder).absolutePath() != folder)
        folder = QFileInfo(folder).absolutePath();
    struct statvfs info {};
    if (::statvfs(QFile::encodeName(folder).constData(), &info) != 0)
        return -1;
    return qint64(info.f_bavail) * qint64(info.f_frsize);
}

QString megabytes(qint64 bytes) { return QString::number(double(bytes) / (1 << 20), 'f', 1).replace(u'.', u','); }

// What the zip's attributes say an entry is, when not a plain file: a restore writes files only,
// and never takes a link, a device or a folder for one.
QString notAFile(const ZipReader::Entry& entry)
{
    if (!entry.attributesKnown)
        return {};
    constexpr quint8 unixSystem = 3;
    constexpr quint32 dosFolder = 0x10;
    if (entry.system == unixSystem) {
        const quint32 mode = entry.attributes >> 16;
        const quint32 type = mode & S_IFMT;
        if (type == S_IFLNK)
            return QStringLiteral("un collegamento");
        if (type == S_IFDIR)
            return QStringLiteral("una cartella");
        if (type != 0 && type != S_IFREG)
            return QStringLiteral("un dispositivo");
    }
    if (entry.attributes & dosFolder)
        return QStringLiteral("una cartella");
    return {};
}

// Every entry checked before anything is written: names a backup holds, nothing twice.
QString readEntries(const ZipReader& archive, std::vector<Entry>& entries, qint64& total)
{
    total = 0;
    const qint64 count = archive.count();
    for (qint64 index = 0; index < count; ++index) {
        const ZipReader::Entry stat = archive.entry(index);
        if (!stat.readable)
            return QStringLiteral("voce %1 illeggibile: %2").arg(index).arg(archive.errorString());
        const QString& name = stat.name;
        if (name.endsWith(QLatin1Char('/')))
            continue;
        if (!isBackedUpPath(name))
            return QStringLiteral("voce non ammessa nel backup: %1").arg(name);
        if (const QString kind = notAFile(stat); !kind.isEmpty())
            return QStringLiteral("voce non ammessa nel backup: %1 \u00E8 %2, non un file").arg(name, kind);
        if (!stat.sizeKnown || stat.size > quint64(std::numeric_limits<qint64>::max() / 2))
            return QStringLiteral("voce %1 di dimensione illeggibile").arg(name);
        entries.push_back({index, name, qint64(stat.size)});
        total += qint64(stat.size);
    }
    if (entries.empty())
        return QStringLiteral("il backup non contiene nessun archivio");
    return {};
}

// Streams one entry into `path`, never holding it whole in memory.
QString unpack(ZipReader& archive, const Entry& entry, const QString& path)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return QStringLiteral("impossibile creare la cartella di %1").arg(entry.name);
    const std::unique_ptr<ZipEntryReader> file = archive.open(entry.index);
    if (!file)
        return QStringLiteral("impossibile leggere %1: %2").arg(entry.name, archive.errorString());
    wholeFile::Writer out(path);
    qint64 unpacked = 0;
    bool overDeclared = false;
    // Never more than the zip declares, on which the free space was checked: one byte beyond
    // tells an entry that lies about its size.
    const wholeFile::Copied copied = wholeFile::copy(
        [&](char* into, qint64 size) -> qint64 {
            const qint64 read = file->read(into, std::min<qint64>(size, entry.size - unpacked + 1));
            if (read > 0 && (unpacked += read) > entry.size) {
                overDeclared = true;
                return -1;
            }
            return read;
        },
        out);
    switch (copied.failure) {
    case wholeFile::Copied::Failure::None:
        return {};
    case wholeFile::Copied::Failure::Read:
        if (overDeclared)
            return QStringLiteral("%1 \u00E8 danneggiato nel backup: contiene pi\u00F9 dei %2 byte dichiarati")
                .arg(entry.name)
                .arg(entry.size);
        return QStringLiteral("%1 \u00E8 danneggiato nel backup: %2").arg(entry.name, file->errorString());
    case wholeFile::Copied::Failure::Write:
        break;
    }
    return QStringLiteral("impossibile scrivere %1 (%2)").arg(entry.name, copied.error);
}

// Moves the unpacked files in, remembering each step so that a failure can undo them all.
class MoveIn {
public:
    MoveIn(QString unpacked, QString target)
        : m_unpacked(std::move(unpacked))
        , m_target(std::move(target))
    {
    }

    QString run()
    {
        const QDir from(m_unpacked);
        for (const QFileInfo& item : from.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
            if (item.fileName() == aside)
                continue;
            const QString to = QDir(m_target).filePath(item.fileName());
            QString error;
            if (item.isDir() && QFileInfo(to).isDir())
                error = mergeFolder(item.filePath(), to);
            else
                error = moveOne(item.filePath(), to);
            if (!error.isEmpty()) {
                undo();
                return error;
            }
        }
        return {};
    }

private:
    static inline const QString aside = QStringLiteral(".sostituiti");

    // A file of the program's own already there (the shipped password store, an empty archive)
    // is put aside first, so that undoing can bring it back.
    QString moveOne(const QString& from, const QString& to)
    {
        QString error;
        if (DiskFile::exists(to)) {
            const QString kept = QDir(m_unpacked).filePath(aside + QLatin1Char('/') + QString::number(m_steps.size()));
            if (!QDir().mkpath(QFileInfo(kept).absolutePath()) || !DiskFile::replace(to, kept, &error))
                return QStringLiteral("impossibile spostare %1 (%2)").arg(native(to), error);
            m_steps.push_back({to, kept});
        }
        if (!DiskFile::replace(from, to, &error))
            return QStringLiteral("impossibile spostare %1 (%2)").arg(native(to), error);
        m_steps.push_back({from, to});
        return {};
    }

    QString mergeFolder(const QString& from, const QString& to)
    {
        const QDir source(from);
        for (const QFileInfo& item : source.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
            const QString into = QDir(to).filePath(item.fileName());
            QString error;
            if (item.isDir() && !DiskFile::exists(into)) {
                error = moveOne(item.filePath(), into);
            } else if (item.isDir()) {
                error = QFileInfo(into).isDir() && !QFileInfo(into).isSymLink()
                            ? mergeFolder(item.filePath(), into)
                            : QStringLiteral("%1 non \u00E8 una cartella").arg(native(into));
            } else {
                error = moveOne(item.filePath(), into);
            }
            if (!error.isEmpty())
                return error;
        }
        return {};
    }

    void undo()
    {
        for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step)
            DiskFile::replace(step->to, step->from);
        m_steps.clear();
    }

    struct Step {
        QString from;
        QString to;
    };
    QString m_unpacked;
    QString m_target;
    std::vector<Step> m_steps;
};

// The folders between the first existing one and `folder`, outermost first: what a restore that
// creates `folder` must take away again when it fails.
QStringList missingFolders(const QString& folder)
{
    QStringList missing;
    QString at = QDir::cleanPath(QDir(folder).absolutePath());
    while (!DiskFile::exists(at)) {
        missing.prepend(at);
        const QString parent = QFileInfo(at).absolutePath();
        if (parent == at)
            break;
        at = parent;
    }
    return missing;
}

}  // namespace

QString restore(const QString& zipPath, const QString& folder)
{
    QString error;
    const std::unique_ptr<ZipReader> archive = zipAccess::open(zipPath, &error);
    if (!archive)
        return QStringLiteral("impossibile leggere %1: %2").arg(zipPath, error);
    std::vector<Entry> entries;
    qint64 total = 0;
    if (const QString refused = readEntries(*archive, entries, total); !refused.isEmpty())
        return refused;

    const QFileInfo target(folder);
    if (DiskFile::exists(folder) && !target.isDir())
        return QStringLiteral("%1 non \u00E8 una cartella").arg(native(folder));
    if (target.isDir()) {
        removeLeftovers(folder);
        if (const QString busy = inTheWay(folder); !busy.isEmpty())
            return busy;
    }
    const qint64 available = freeBytes(folder);
    if (available >= 0 && total + spareBytes > available)
        return QStringLiteral("spazio insufficiente in %1: il backup occupa %2 MB, liberi %3 MB")
            .arg(native(folder), megabytes(total), megabytes(available));

    const QStringList created = missingFolders(folder);
    const auto removeCreated = [&created] {
        for (auto it = created.crbegin(); it != created.crend(); ++it)
            QDir().rmdir(*it);
    };
    if (!QDir().mkpath(folder)) {
        removeCreated();
        return QStringLiteral("impossibile creare la cartella %1").arg(native(folder));
    }

    const QString unpacked = QDir(folder).filePath(QStringLiteral(".golvera-ripristino-%1-%2")
                                                       .arg(QCoreApplication::applicationPid())
                                                       .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    LockedFolder lock;
    if (!QDir().mkdir(unpacked) || !lock.lock(unpacked)) {
        QDir(unpacked).removeRecursively();
        removeCreated();
        return QStringLiteral("impossibile creare una cartella in %1").arg(native(folder));
    }
    QString failure;
    for (const Entry& entry : entries) {
        failure = unpack(*archive, entry, QDir(unpacked).filePath(entry.name));
        if (!failure.isEmpty())
            break;
    }
    if (failure.isEmpty())
        failure = MoveIn(unpacked, folder).run();
    QDir(unpacked).removeRecursively();
    if (!failure.isEmpty())
        removeCreated();
    return failure;
}

}  // namespace backup
