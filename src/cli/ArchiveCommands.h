#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// golvera-cli's commands on the data folder as a whole: "backup" and "ripristina FILE.zip".
namespace archiveCommands {

bool handles(const QStringList& arguments);

// Runs the command in `arguments` on `dataFolder`; returns the process's exit code (0 done, 1
// failed, 2 wrong usage) after writing what happened to `out` or `err`.
int run(const QStringList& arguments, const QString& dataFolder, QTextStream& out, QTextStream& err);

}  // namespace archiveCommands
