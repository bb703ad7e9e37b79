#pragma once

#include <QString>

// Where the program's file choosers open: the user's own folders, never the folder the program
// happened to be started from.
namespace chooserFolders {

// The user's pictures folder (home when there is none): photos are loaded from and saved there.
QString pictures();

// The user's documents folder at first; once a file has been attached, the folder it came from,
// for the rest of the run.
QString attachments();
void attachmentPicked(const QString& file);

// The same for the spreadsheets the import reads.
QString sheets();
void sheetPicked(const QString& file);

}  // namespace chooserFolders
