#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// Daily copies of the data folder's archives as zip files in its "Backup" folder, and their
// restoration into an empty folder.
namespace backup {

inline constexpr int kept = 14;
inline const QString folderName = QStringLiteral("Backup");

// What a backup holds, as paths relative to the data folder: the tournaments, the team and player
// archives, the password store, the photos and the attachments. Only regular files.
QStringList contents(const QString& dataFolder);

// Whether `folder` already holds any of those (a restore refuses such a folder).
bool holdsArchives(const QString& folder);

struct Outcome {
    QString path;   // the zip written or found
    bool written = false;
    QString error;  // empty when all went well
};

// Where the backup of `day` lies: "Backup/yyyy-MM-dd.zip" in the data folder.
QString dayFile(const QString& dataFolder, const QDate& day);

// The day's backup: written unless that day's already exists (or always,
// with `replace`); then only the newest `kept` backups stay.
Outcome make(const QString& dataFolder, const QDate& today, bool replace = false);

// Unpacks `zipPath` into `folder`, creating it if needed. Returns the failure, empty on success;
// refuses a folder that already holds archives and any entry that would land outside it.
QString restore(const QString& zipPath, const QString& folder);

}  // namespace backup
