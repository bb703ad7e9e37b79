#pragma once

#include <QString>
#include <QStringList>

// golvera-cli's "importa squadre|giocatori FILE": a season's teams or players from a spreadsheet
// (.csv, .xlsx, .ods or the program's own .xls). Without --conferma it shows what it would do
// and writes nothing; with it, the new records go into the archive in one locked write.
namespace importCommand {

bool handles(const QStringList& arguments);

struct Options {
    QString dataFolder;
    bool confirm = false;  // --conferma: write
    bool update = false;   // --aggiorna: rows already in the archive update it instead of being skipped
};

// Returns the exit code: 0 done, 1 when the file cannot be read as a spreadsheet, matches no
// column or holds no importable row, or the archive cannot be read or written (the archive is
// then unchanged), 2 for wrong usage.
int run(const QStringList& arguments, const Options& options);

}  // namespace importCommand
