#include "storage/WholeFolder.h"

#include "storage/DiskFile.h"
#include "storage/FileFaults.h"
#include "storage/WholeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace wholeFolder {
namespace {

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

bool isLink(const QString& path)
{
    struct stat info {};
    return ::lstat(native(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool isFolder(const QString& path)
{
    struct stat info {};
    return ::lstat(native(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

void syncFolder(const QString& path)
{
    const int fd = ::open(native(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Removes a folder this writer made or replaced, with the files in it; nothing else is in it.
void removeFolder(const QString& path)
{
    QDir folder(path);
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        DiskFile::remove(folder.filePath(name));
    QDir().rmdir(path);
}

}  // namespace

Writer::Writer(QString folder, QStringList ownNames)
    : m_folder(QFileInfo(folder).absoluteFilePath())
    , m_ownNames(std::move(ownNames))
{
}

Writer::~Writer()
{
    abandon();
}

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
    const QFileInfo target(m_folder);
    if (isLink(m_folder))
        return fail(QStringLiteral("\"%1\" \u00E8 un collegamento, non una cartella: indicare una cartella.").arg(m_folder));
    if (DiskFile::exists(m_folder) && !isFolder(m_folder))
        return fail(QStringLiteral("\"%1\" \u00E8 un file, non una cartella: indicare una cartella.").arg(m_folder));
    if (isFolder(m_folder)) {
        const QStringList names = QDir(m_folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString& name : names) {
            if (!QDir::match(m_ownNames, name) || !QFileInfo(QDir(m_folder).filePath(name)).isFile())
                return fail(QStringLiteral("La cartella \"%1\" contiene altri file (\"%2\"): indicare una cartella vuota o "
                                           "quella di una pubblicazione precedente.")
                                .arg(m_folder, name));
        }
    }
    const QString parent = target.absolutePath();
    if (!isFolder(parent))
        return fail(QStringLiteral("La cartella \"%1\" non esiste.").arg(parent));
    m_staging = QDir(parent).filePath(QStringLiteral(".%1.golvera-%2.nuova").arg(target.fileName()).arg(QCoreApplication::applicationPid()));
    if (DiskFile::exists(m_staging))
        removeFolder(m_staging);
    if (fileFaults::strike(fileFaults::Fault::CreateRefused, m_staging) || ::mkdir(native(m_staging).constData(), 0755) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        m_staging.clear();
        return fail(QStringLiteral("Impossibile scrivere nella cartella \"%1\" (%2).").arg(parent, reason));
    }
    return true;
}

bool Writer::write(const QString& name, QByteArrayView bytes)
{
    if (m_staging.isEmpty())
        return fail(QStringLiteral("La cartella \"%1\" non \u00E8 aperta.").arg(m_folder));
    QString error;
    if (!wholeFile::write(QDir(m_staging).filePath(name), bytes, &error))
        return fail(QStringLiteral("Impossibile scrivere \"%1\" (%2).").arg(name, error));
    return true;
}

bool Writer::commit()
{
    if (m_staging.isEmpty())
        return fail(QStringLiteral("La cartella \"%1\" non \u00E8 aperta.").arg(m_folder));
    const QString parent = QFileInfo(m_folder).absolutePath();
    if (fileFaults::strike(fileFaults::Fault::RenameFails, m_folder))
        return fail(QStringLiteral("Impossibile sostituire la cartella \"%1\" (%2).").arg(m_folder, QString::fromLocal8Bit(std::strerror(errno))));
    if (isFolder(m_folder)) {
        // Both names stay taken throughout: a reader finds the old folder or the new one.
        if (::renameat2(AT_FDCWD, native(m_staging).constData(), AT_FDCWD, native(m_folder).constData(), RENAME_EXCHANGE) != 0)
            return fail(QStringLiteral("Impossibile sostituire la cartella \"%1\" (%2).").arg(m_folder, QString::fromLocal8Bit(std::strerror(errno))));
        syncFolder(parent);
        removeFolder(m_staging);  // now the old one
    } else if (::rename(native(m_staging).constData(), native(m_folder).constData()) != 0) {
        return fail(QStringLiteral("Impossibile creare la cartella \"%1\" (%2).").arg(m_folder, QString::fromLocal8Bit(std::strerror(errno))));
    } else {
        syncFolder(parent);
    }
    m_staging.clear();
    return true;
}

void Writer::abandon()
{
    if (!m_staging.isEmpty())
        removeFolder(m_staging);
    m_staging.clear();
}

}  // namespace wholeFolder
