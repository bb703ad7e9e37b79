#include "backup/Backup.h"

#include "app/ProgramFolder.h"
#include "storage/WholeFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <zip.h>

#include <memory>

namespace backup {
namespace {

const QStringList archiveFolders{QStringLiteral("Anagrafica"), QStringLiteral("Documenti_Allegati")};

bool isArchiveName(const QString& name)
{
    return name.endsWith(QStringLiteral(".vai"), Qt::CaseInsensitive) || name == programFolder::teamArchiveName
           || name == programFolder::playerArchiveName || name == programFolder::passwordStoreName;
}

QString zipError(zip_t* archive) { return QString::fromLocal8Bit(zip_strerror(archive)); }

QString openError(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
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

Outcome make(const QString& dataFolder, const QDate& today, bool replace)
{
    const QDir data(dataFolder);
    const QString backupFolder = data.filePath(folderName);
    Outcome outcome;
    outcome.path = QDir(backupFolder).filePath(today.toString(Qt::ISODate) + QStringLiteral(".zip"));
    if (!replace && QFileInfo::exists(outcome.path))
        return outcome;
    if (!QDir().mkpath(backupFolder)) {
        outcome.error = QStringLiteral("impossibile creare %1").arg(backupFolder);
        return outcome;
    }

    // libzip writes the archive into a temporary file and renames it at the close: a backup
    // interrupted half-way never stands as the day's backup, nor replaces it.
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(outcome.path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        outcome.error = QStringLiteral("impossibile creare %1: %2").arg(outcome.path, openError(code));
        return outcome;
    }
    for (const QString& name : contents(dataFolder)) {
        zip_source_t* source = zip_source_file(archive, QFile::encodeName(data.filePath(name)).constData(), 0, -1);
        if (!source || zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            if (source)
                zip_source_free(source);
            outcome.error = QStringLiteral("impossibile aggiungere %1: %2").arg(name, zipError(archive));
            zip_discard(archive);
            return outcome;
        }
    }
    if (zip_close(archive) != 0) {
        outcome.error = QStringLiteral("impossibile scrivere %1: %2").arg(outcome.path, zipError(archive));
        zip_discard(archive);
        return outcome;
    }
    outcome.written = true;
    keepNewest(backupFolder);
    return outcome;
}

QString restore(const QString& zipPath, const QString& folder)
{
    if (holdsArchives(folder))
        return QStringLiteral("la cartella %1 contiene gi\u00E0 degli archivi").arg(QDir::toNativeSeparators(folder));
    int code = 0;
    zip_t* raw = zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &code);
    if (!raw)
        return QStringLiteral("impossibile leggere %1: %2").arg(zipPath, openError(code));
    const std::unique_ptr<zip_t, void (*)(zip_t*)> archive(raw, zip_discard);
    const QDir target(folder);
    if (!QDir().mkpath(folder))
        return QStringLiteral("impossibile creare la cartella %1").arg(folder);

    const zip_int64_t entries = zip_get_num_entries(raw, 0);
    for (zip_int64_t index = 0; index < entries; ++index) {
        const QString name = QString::fromUtf8(zip_get_name(raw, zip_uint64_t(index), ZIP_FL_ENC_GUESS));
        if (name.endsWith(QLatin1Char('/')))
            continue;
        const QString path = targetPath(target, name);
        if (path.isEmpty())
            return QStringLiteral("voce non ammessa nel backup: %1").arg(name);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            return QStringLiteral("impossibile creare la cartella di %1").arg(name);
        const std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> entry(zip_fopen_index(raw, zip_uint64_t(index), 0),
                                                                      zip_fclose);
        if (!entry)
            return QStringLiteral("impossibile leggere %1: %2").arg(name, zipError(raw));
        QByteArray content;
        char buffer[1 << 16];
        zip_int64_t read = 0;
        while ((read = zip_fread(entry.get(), buffer, sizeof buffer)) > 0)
            content.append(buffer, qsizetype(read));
        if (read < 0)
            return QStringLiteral("impossibile leggere %1: %2").arg(name, zipError(raw));
        QString error;
        if (!wholeFile::write(path, content, &error))
            return QStringLiteral("impossibile scrivere %1 (%2)").arg(path, error);
    }
    return {};
}

}  // namespace backup
