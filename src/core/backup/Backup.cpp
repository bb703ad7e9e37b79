#include "backup/Backup.h"

#include "app/ProgramFolder.h"
#include "backup/ZipAccess.h"
#include "matches/CalendarFile.h"
#include "storage/WholeFile.h"
#include "withdrawal/WithdrawalMarks.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace backup {

bool isArchiveName(const QString& name)
{
    // An archive's withdrawal marks go with it.
    if (withdrawal::isMarksName(name))
        return isArchiveName(name.chopped(withdrawal::suffix.size()));
    return name.endsWith(QStringLiteral(".vai"), Qt::CaseInsensitive)
           || name.endsWith(matches::calendarExtension, Qt::CaseInsensitive) || name == programFolder::teamArchiveName
           || name == programFolder::playerArchiveName || name == programFolder::passwordStoreName;
}

bool isBackedUpPath(const QString& relativePath)
{
    if (relativePath.contains(QLatin1Char('\\')))
        return false;
    const QStringList parts = relativePath.split(QLatin1Char('/'));
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QStringLiteral(".") || part == QStringLiteral(".."))
            return false;
    }
    if (wholeFile::isTemporaryName(parts.back()))
        return false;
    return parts.size() == 1 ? isArchiveName(parts.front()) : archiveFolders.contains(parts.front());
}

namespace {

bool isDataFile(const QFileInfo& info)
{
    return info.isFile() && !info.isSymLink() && !wholeFile::isTemporaryName(info.fileName());
}

// Backups are named by their date, so their names sort as their days do.
void keepNewest(const QString& backupFolder)
{
    QDir dir(backupFolder);
    QStringList names;
    for (const QString& name : dir.entryList({QStringLiteral("*.zip")}, QDir::Files, QDir::Name)) {
        if (QDate::fromString(name.chopped(4), Qt::ISODate).isValid())
            names.append(name);
    }
    while (names.size() > kept)
        dir.remove(names.takeFirst());
}

// A zip that opens whole and holds something: anything else under the day's name (an empty file
// left by a full disk, a damaged one) does not count as that day's backup.
bool isWholeBackup(const QString& path)
{
    QString error;
    const std::unique_ptr<ZipReader> archive = zipAccess::open(path, &error);
    return archive && archive->count() > 0;
}

}  // namespace

QStringList contents(const QString& dataFolder)
{
    const QDir dir(dataFolder);
    QStringList files;
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (isDataFile(info) && isArchiveName(info.fileName()))
            files.append(info.fileName());
    }
    for (const QString& sub : archiveFolders) {
        QDirIterator it(dir.filePath(sub), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        QStringList inside;
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            if (isDataFile(info))
                inside.append(dir.relativeFilePath(info.filePath()));
        }
        inside.sort();
        files += inside;
    }
    return files;
}

QString dayFile(const QString& dataFolder, const QDate& day)
{
    return QDir(QDir(dataFolder).filePath(folderName)).filePath(day.toString(Qt::ISODate) + QStringLiteral(".zip"));
}

Outcome make(const QString& dataFolder, const QDate& today, bool replace)
{
    const QString backupFolder = QDir(dataFolder).filePath(folderName);
    Outcome outcome;
    outcome.path = dayFile(dataFolder, today);
    if (!QFileInfo(dataFolder).isDir()) {
        outcome.error = QStringLiteral("la cartella dei dati %1 non esiste").arg(QDir::toNativeSeparators(dataFolder));
        return outcome;
    }
    const QStringList files = contents(dataFolder);
    if (files.isEmpty()) {
        outcome.error = QStringLiteral("nessun archivio da salvare in %1").arg(QDir::toNativeSeparators(dataFolder));
        return outcome;
    }
    if (!zipAccess::available()) {
        outcome.error = zipAccess::missing;
        return outcome;
    }
    if (!replace && isWholeBackup(outcome.path))
        return outcome;
    if (!QDir().mkpath(backupFolder)) {
        outcome.error = QStringLiteral("impossibile creare %1").arg(backupFolder);
        return outcome;
    }

    outcome.error = zipAccess::write(outcome.path, dataFolder, files);
    if (!outcome.error.isEmpty())
        return outcome;
    outcome.written = true;
    keepNewest(backupFolder);
    return outcome;
}

}  // namespace backup
