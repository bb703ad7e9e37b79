#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringView>

#include <string_view>

// A spreadsheet's first sheet as the importers read it, whatever the file: rows of typed cells.
// Only the rows that hold something are kept, each with the number the spreadsheet program shows
// beside it, so that a rejected row can be named.
namespace sheetImport {

// A cell's kind and value. Its text lives in its row, beside the other cells' texts: a season's
// sheet has hundreds of thousands of cells, and a string of their own each would cost most of the
// reading.
struct Cell {
    enum class Kind { Empty, Text, Number, Date, Boolean };
    Kind kind = Kind::Empty;
    double number = 0;
    QDate date;
    qsizetype start = 0;  // where its text is in the row's `texts`
    qsizetype size = 0;

    bool isEmpty() const { return kind == Kind::Empty; }
};

struct Row {
    int number = 0;  // 1-based, as the spreadsheet program numbers its rows
    QList<Cell> cells;
    QString texts;  // the cells' texts one after the other

    // Text as written; a number in the Italian form ("12", "1,5"); a date dd/mm/yyyy; "Sì"/"No".
    // Empty beyond the last cell.
    QStringView text(qsizetype column) const;
    QStringView text(const Cell& cell) const { return QStringView(texts).sliced(cell.start, cell.size); }
};

struct Sheet {
    QList<Row> rows;
};

// A cell read on its own before it has its place in a row, as the readers of the smaller formats
// build them.
struct Content {
    Cell::Kind kind = Cell::Kind::Empty;
    QString text;  // of a text cell
    double number = 0;
    QDate date;

    static Content ofText(QString text);  // Empty when `text` is empty
    static Content ofNumber(double value);
    static Content ofDate(const QDate& date);
    static Content ofBoolean(bool value);
    bool isEmpty() const { return kind == Cell::Kind::Empty; }
};

// Beyond this a row's cells are not read: no archive has that many fields, and a file that claims
// a cell in the last of a million columns costs nothing.
constexpr int MaxColumns = 1024;

// The day a spreadsheet's serial day number stands for (the time of day after the point aside);
// invalid for a number that is no day up to 31/12/9999 (negative, too large, not a number).
QDate dateFromSerial(double serial, bool dates1904 = false);

// Puts a cell at `column` (0-based), filling the gap with empty cells and writing its text into
// the row; a cell beyond MaxColumns or an empty one adds nothing. A column placed again takes the
// later cell.
void place(Row& row, int column, const Content& content);
void placeText(Row& row, int column, QStringView text);
void placeUtf8(Row& row, int column, std::string_view text);
void placeNumber(Row& row, int column, double value);
void placeDate(Row& row, int column, const QDate& date);  // nothing when the date is invalid
void placeBoolean(Row& row, int column, bool value);

// Keeps `row` when it holds at least one cell that is not empty.
void keep(Sheet& sheet, Row row);

// An empty row numbered `number`, room made for as many cells and as much text as `previous`
// holds: the rows of a sheet are mostly alike.
Row rowLike(const Row& previous, int number);

}  // namespace sheetImport
