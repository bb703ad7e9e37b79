#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// Daily copies of the data folder's archives as zip files in its "Backup" folder, and their
// restoration into a folder that holds no data yet.
namespace backup {

inline constexpr int kept = 14;
inline const QString folderName = QStringLiteral("Backup");
// The data folder's subfolders a backup takes in whole.
inline const QStringList archiveFolders{QStringLiteral("Anagrafica"), QStringLiteral("Documenti_Allegati")};

// A file of the data folder itself that a backup holds (tournaments, archives, password store).
bool isArchiveName(const QString& name);
// Whether `relativePath` ("/" between folders) names a file a backup may hold: an archive in the
// data folder or any file within the archive folders.
bool isBackedUpPath(const QString& relativePath);

// What a backup holds, as paths relative to the data folder: the tournaments, the team and player
// archives, the password store, the photos and the attachments. Only regular files; never the
// temporary files of a write under way.
QStringList contents(const QString& dataFolder);

struct Outcome {
    QString path;   // the zip written or found
    bool written = false;
    QString error;  // empty when all went well
    QStringList holds;  // what the zip written holds
    // The day's earlier backup, kept under its name because it holds something the new one
    // does not, and what it holds; empty when none was kept aside.
    QString kept;
    QStringList keptHolds;
};

// What a backup holds, for a message: the archives by name, the photos and attachments counted.
QString describe(const QStringList& held);

// The lines telling the user what a backup wrote (and what it kept).
QStringList report(const Outcome& outcome);

// Where the backup of `day` lies: "Backup/yyyy-MM-dd.zip" in the data folder.
QString dayFile(const QString& dataFolder, const QDate& day);

// The day's backup "Backup/yyyy-MM-dd.zip": written unless that day's already exists whole (or
// always, with `replace`); then only the newest `kept` backups stay. A day's backup is never
// replaced by one that lacks something it holds (archives moved away meanwhile): the new one then
// takes a name of its own, "yyyy-MM-dd-2.zip" and on. A folder that does not
// exist, or holds nothing to back up, is an error and no zip is touched. The zip is written
// through the checked writer: a backup that fails or is killed never stands as the day's backup
// nor replaces it, and its leftovers go at the next backup.
Outcome make(const QString& dataFolder, const QDate& today, bool replace = false);

// Unpacks `zipPath` into `folder`, creating it if needed, all or nothing. Every entry is checked
// before anything is written (its name must be one a backup holds, the sizes must fit in the
// free space, the zip must be whole); the entries are streamed into a temporary folder inside
// `folder` and moved in only once all are whole. `folder` must hold nothing but the program's own
// files, and none of its subfolders may be a link. Returns the failure, empty on success; on a
// failure `folder` is left as it was.
// Zip files are read and written by the zip plugin: without it both fail with the reason.
QString restore(const QString& zipPath, const QString& folder);

}  // namespace backup
