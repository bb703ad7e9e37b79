#pragma once

#include "output/SpreadsheetTable.h"
#include "storage/RecordValues.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The spreadsheet export of the three archives: an HTML table in the office spreadsheet dialect,
// saved with the extension ".xls", that spreadsheet programs open as a sheet. An export is a
// table of columns over the archive's record format; the grid on screen and the file both come
// from it.
namespace spreadsheet {

// What a column's texts are, for the files that type their cells (.xlsx): a date in the form
// dd/mm/yyyy, a number in the Italian form; any other text stays text.
enum class CellKind { Text, Date, Number };

struct Column {
    QString name;         // the grid column's object name ("colConcorrente")
    QString label;        // header of the grid column and of the exported column
    int gridWidth = 0;    // pixels on screen
    int exportWidth = 0;  // the header cell's width in the file
    QString field;        // the record field it shows
    CellKind kind = CellKind::Text;
};

struct Sheet {
    QString name;      // the worksheet's name inside the file
    QString fileName;  // in the program folder ("Torneo.xls")
    QList<Column> columns;
    // Fields the .xls leaves out that the workbook (.xlsx) carries after the others, so that a
    // workbook imported again gives the whole record.
    QList<Column> workbookOnly = {};
};

// A column with this field holds the day its record was withdrawn (empty for the others): the
// workbook's "Ritirata" column. An export keeps every record, withdrawn or not.
inline const QString withdrawnField = QStringLiteral("*Ritirata");

// The cells of every record of the archive, one row per record in file order, one cell per
// column (the archive is created empty when missing); a failure ends the reading and keeps the
// rows read before it.
Table read(const QString& archive, const RecordFormat& format, const Sheet& sheet);

// The whole file: the head, the header row, one row per table row, in Windows-1252 with no line
// break. Cell texts are trimmed and their markup characters escaped.
QByteArray document(const Sheet& sheet, const Table& rows);

// Writes the document to `path` in pieces through the checked writer: the old file is replaced
// only when the whole document is on the disk; false (the old file untouched, `error` set) on any
// failure.
bool write(const QString& path, const Sheet& sheet, const Table& rows, QString* error = nullptr);

// The same straight from the archive's records in file order, one row per record, without
// holding them: the export as the screen writes it. An archive that cannot be read to its end
// makes no file.
bool write(const QString& path, const Sheet& sheet, const QString& archive, const RecordFormat& format,
           QString* error = nullptr);

}  // namespace spreadsheet
