#pragma once

#include <QString>

// Where the program keeps its data. A copy that can write in its own folder (a USB stick, a
// portable copy, the build folder) keeps everything beside the executable, as it always has; an
// installed copy, whose folder is read-only, uses the user's own data folder instead. A folder
// given on the command line wins over both.
namespace dataFolder {

enum class Source { CommandLine, ProgramFolder, UserFolder };

struct Choice {
    QString folder;
    Source source = Source::ProgramFolder;
};

Choice choose(const QString& commandLineFolder, const QString& programFolder, bool programFolderWritable,
              const QString& userFolder);

// The same for a program started from `executableFolder`, trying whether it can write there (an
// installed copy, whose shipped files are in ../share/golvera, never uses its own folder); the
// user folder is the program's per-user data folder (~/.local/share/Golvera on Linux), the same
// for the desktop program and the command line.
Choice chooseFor(const QString& commandLineFolder, const QString& executableFolder);

// Whether files can be created in `folder` (tried, not guessed from permission bits).
bool isWritable(const QString& folder);

// Whether `folder` holds an archive with data in it (a tournament, the team or player archive);
// the empty ones a first start makes do not count.
bool holdsArchives(const QString& folder);

// Makes the chosen folder ready: creates a user or command-line folder that is missing and, in a
// folder that has no password store and no archive, puts a copy of the shipped store, so the
// first-access password works wherever the program starts for the first time. A folder with
// archives but no store is left without one: the login then says the store is missing. False
// when the folder cannot be made or the store cannot be copied.
bool prepare(const Choice& choice, const QString& shippedStore);

// The folder in use, for the information screen and the command line's help.
QString describe(const Choice& choice);

// Files shipped with the program (password store, user guide): beside the executable, or in the
// shared data folder of an installed copy.
QString shippedFile(const QString& executableFolder, const QString& name);

}  // namespace dataFolder
