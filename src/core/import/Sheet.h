#pragma once

#include <QDate>
#include <QList>
#include <QString>

// A spreadsheet's first sheet as the importers read it, whatever the file: rows of typed cells.
// Only the rows that hold something are kept, each with the number the spreadsheet program shows
// beside it, so that a rejected row can be named.
namespace sheetImport {

struct Cell {
    enum class Kind { Empty, Text, Number, Date, Boolean };
    Kind kind = Kind::Empty;
    QString text;  // Text as written; a number in the Italian form ("12", "1,5"); a date dd/mm/yyyy; "Sì"/"No"
    double number = 0;
    QDate date;

    static Cell ofText(QString text);  // Empty when `text` is empty
    static Cell ofNumber(double value);
    static Cell ofDate(const QDate& date);
    static Cell ofBoolean(bool value);
    bool isEmpty() const { return kind == Kind::Empty; }
};

struct Row {
    int number = 0;  // 1-based, as the spreadsheet program numbers its rows
    QList<Cell> cells;
};

struct Sheet {
    QList<Row> rows;
};

// Beyond this a row's cells are not read: no archive has that many fields, and a file that claims
// a cell in the last of a million columns costs nothing.
constexpr int MaxColumns = 1024;

// dd/mm/yyyy, as the record's date fields hold a date.
QString dateText(const QDate& date);

// Appends `cell` at `column` (0-based), filling the gap with empty cells; a cell beyond
// MaxColumns or an empty one adds nothing.
void place(Row& row, int column, const Cell& cell);

// Keeps `row` when it holds at least one cell that is not empty.
void keep(Sheet& sheet, Row row);

}  // namespace sheetImport
