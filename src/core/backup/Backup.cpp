#include "backup/Backup.h"

#include "app/ProgramFolder.h"
#include "backup/ZipAccess.h"
#include "matches/CalendarFile.h"
#include "storage/DiskFile.h"
#include "storage/RecordJournal.h"
#include "storage/WholeFile.h"
#include "withdrawal/WithdrawalMarks.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <exception>

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

// A backup's name: its day, and after it the number of a later backup of that day.
const QRegularExpression backupName(QStringLiteral("^(\\d{4}-\\d{2}-\\d{2})(-\\d+)?\\.zip$"));

// Backups are named by their date, a later one of the same day numbered after it: oldest first
// by day, then by number.
void keepNewest(const QString& backupFolder)
{
    QDir dir(backupFolder);
    QList<std::pair<std::pair<QString, int>, QString>> backups;  // (day, number), name
    for (const QString& name : dir.entryList({QStringLiteral("*.zip")}, QDir::Files)) {
        const QRegularExpressionMatch match = backupName.match(name);
        if (match.hasMatch() && QDate::fromString(match.captured(1), Qt::ISODate).isValid())
            backups.append({{match.captured(1), match.hasCaptured(2) ? match.captured(2).mid(1).toInt() : 1}, name});
    }
    std::sort(backups.begin(), backups.end());
    while (backups.size() > kept)
        dir.remove(backups.takeFirst().second);
}

// A zip that opens whole and holds something: anything else under the day's name (an empty file
// left by a full disk, a damaged one) does not count as that day's backup.
bool isWholeBackup(const QString& path)
{
    QString error;
    const std::unique_ptr<ZipReader> archive = zipAccess::open(path, &error);
    return archive && archive->count() > 0;
}

// The files a whole backup holds; nothing for anything else.
QStringList heldBy(const QString& path)
{
    QString error;
    const std::unique_ptr<ZipReader> archive = zipAccess::open(path, &error);
    QStringList names;
    for (qint64 index = 0; archive && index < archive->count(); ++index) {
        const ZipReader::Entry entry = archive->entry(index);
        if (entry.readable && !entry.name.endsWith(QLatin1Char('/')))
            names.append(entry.name);
    }
    return names;
}

// The first name of `day` that no backup has yet, after the day's own.
QString laterDayFile(const QString& dataFolder, const QDate& day)
{
    const QString first = dayFile(dataFolder, day);
    for (int number = 2;; ++number) {
        const QString path = first.chopped(4) + QStringLiteral("-%1.zip").arg(number);
        if (!DiskFile::exists(path))
            return path;
    }
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
    // A batch a dead writer left half-written is undone first: a backup holds whole archives.
    for (const QString& file : files) {
        if (file.contains(QLatin1Char('/')))
            continue;
        try {
            recordJournal::recover(QDir(dataFolder).filePath(file));
        } catch (const std::exception& failure) {
            outcome.error = QString::fromLocal8Bit(failure.what());
            return outcome;
        }
    }
    if (!zipAccess::available()) {
        outcome.error = zipAccess::missing();
        return outcome;
    }
    if (!replace && isWholeBackup(outcome.path))
        return outcome;
    if (replace) {
        const QStringList before = heldBy(outcome.path);
        if (std::any_of(before.cbegin(), before.cend(), [&files](const QString& name) { return !files.contains(name); })) {
            outcome.kept = outcome.path;
            outcome.keptHolds = before;
            outcome.path = laterDayFile(dataFolder, today);
        }
    }
    if (!QDir().mkpath(backupFolder)) {
        outcome.error = QStringLiteral("impossibile creare %1").arg(backupFolder);
        return outcome;
    }

    outcome.error = zipAccess::write(outcome.path, dataFolder, files);
    if (!outcome.error.isEmpty())
        return outcome;
    outcome.written = true;
    outcome.holds = files;
    keepNewest(backupFolder);
    return outcome;
}

QString describe(const QStringList& held)
{
    QStringList archives;
    qsizetype others = 0;
    for (const QString& name : held) {
        if (name.contains(QLatin1Char('/')))
            ++others;
        else
            archives.append(name);
    }
    QString text = archives.isEmpty() ? QStringLiteral("nessun archivio") : archives.join(QStringLiteral(", "));
    if (others > 0)
        text += QStringLiteral(" e %1 file di foto e allegati").arg(others);
    return text;
}

QStringList report(const Outcome& outcome)
{
    QStringList lines{QStringLiteral("Backup scritto in %1, contiene: %2")
                          .arg(QDir::toNativeSeparators(outcome.path), describe(outcome.holds))};
    if (!outcome.kept.isEmpty())
        lines.append(QStringLiteral("Il backup precedente dello stesso giorno resta in %1, contiene: %2")
                         .arg(QDir::toNativeSeparators(outcome.kept), describe(outcome.keptHolds)));
    return lines;
}

}  // namespace backup
