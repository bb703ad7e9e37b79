#pragma once

#include "import/ImportPlan.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// The spreadsheets a secretary would bring, made from a benchmark archive of `players`: the
// export's columns and the sex, as a CSV saved with a spreadsheet program's usual settings
// (semicolons, Windows-1252) and as a workbook; and the records their import writes, for the
// archive writer to write in its turn. The folder is the system's temporary folder unless
// GOLVERA_BENCH_DIR says; GOLVERA_BENCH_KEEP=1 leaves it there for a look or a profile.
struct ImportSeason {
    QTemporaryDir dir;
    QString csv;
    QString xlsx;
    QString archive;  // where the imports and the writer write, beside the spreadsheets
    QString recordsFile;  // `records` as a file, for a writer of its own process
    QByteArray records;

    explicit ImportSeason(int players);

    // The import's plan for the spreadsheet at `path` into `archive`, as golvera-cli makes it.
    importPlan::Plan import(const QString& path) const;
};
