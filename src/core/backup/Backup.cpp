#include "backup/Backup.h"

#include "app/Plugins.h"
#include "app/ProgramFolder.h"
#include "backup/ZipPlugin.h"
#include "storage/WholeFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace backup {
namespace {

const QStringList archiveFolders{QStringLiteral("Anagrafica"), QStringLiteral("Documenti_Allegati")};

bool isArchiveName(const QString& name)
{
    return name.endsWith(QStringLiteral(".vai"), Qt::CaseInsensitive) || name == programFolder::teamArchiveName
           || name == programFolder::playerArchiveName || name == programFolder::passwordStoreName;
}

// Loaded the first time a backup is written or restored; null without the plugin.
ZipPlugin* zipFiles()
{
    static ZipPlugin* const plugin = qobject_cast<ZipPlugin*>(plugins::load(plugins::folder(), plugins::zip));
    return plugin;
}

const QString noZipSupport = QStringLiteral("il supporto per i file zip non \u00E8 installato");

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

// An entry's path inside the folder, or empty when the entry would land outside it.
QString targetPath(const QDir& folder, const QString& entry)
{
    if (entry.isEmpty() || QDir::isAbsolutePath(entry) || entry.contains(QLatin1Char('\\')))
        return {};
    const QString cleaned = QDir::cleanPath(entry);
    if (cleaned == QStringLiteral("..") || cleaned.startsWith(QStringLiteral("../")))
        return {};
    return folder.filePath(cleaned);
}

}  // namespace

QStringList contents(const QString& dataFolder)
{
    const QDir dir(dataFolder);
    QStringList files;
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (info.isFile() && !info.isSymLink() && isArchiveName(info.fileName()))
            files.append(info.fileName());
    }
    for (const QString& sub : archiveFolders) {
        QDirIterator it(dir.filePath(sub), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        QStringList inside;
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            if (info.isFile() && !info.isSymLink())
                inside.append(dir.relativeFilePath(info.filePath()));
        }
        inside.sort();
        files += inside;
    }
    return files;
}

bool holdsArchives(const QString& folder)
{
    return !contents(folder).isEmpty();
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
    if (!replace && QFileInfo::exists(outcome.path))
        return outcome;
    if (!QDir().mkpath(backupFolder)) {
        outcome.error = QStringLiteral("impossibile creare %1").arg(backupFolder);
        return outcome;
    }

    ZipPlugin* zip = zipFiles();
    outcome.error = zip ? zip->write(outcome.path, dataFolder, contents(dataFolder)) : noZipSupport;
    if (!outcome.error.isEmpty())
        return outcome;
    outcome.written = true;
    keepNewest(backupFolder);
    return outcome;
}

QString restore(const QString& zipPath, const QString& folder)
{
    if (holdsArchives(folder))
        return QStringLiteral("la cartella %1 contiene gi\u00E0 degli archivi").arg(QDir::toNativeSeparators(folder));
    ZipPlugin* zip = zipFiles();
    if (!zip)
        return noZipSupport;
    QString failure;
    const std::unique_ptr<ZipReader> archive = zip->open(zipPath, failure);
    if (!archive)
        return QStringLiteral("impossibile leggere %1: %2").arg(zipPath, failure);
    const QDir target(folder);
    if (!QDir().mkpath(folder))
        return QStringLiteral("impossibile creare la cartella %1").arg(folder);

    for (qint64 index = 0; index < archive->count(); ++index) {
        const QString name = archive->name(index);
        if (name.endsWith(QLatin1Char('/')))
            continue;
        const QString path = targetPath(target, name);
        if (path.isEmpty())
            return QStringLiteral("voce non ammessa nel backup: %1").arg(name);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            return QStringLiteral("impossibile creare la cartella di %1").arg(name);
        QByteArray content;
        if (!archive->read(index, content, failure))
            return QStringLiteral("impossibile leggere %1: %2").arg(name, failure);
        QString error;
        if (!wholeFile::write(path, content, &error))
            return QStringLiteral("impossibile scrivere %1 (%2)").arg(path, error);
    }
    return {};
}

}  // namespace backup
