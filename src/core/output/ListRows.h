#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// The rows of the record list screens: one line of fixed-width text per record, each carrying
// the position of the record it was built from, so that a row leads back to exactly its record
// even when two records give the same text.
struct ListRow {
    QString text;
    qint64 position = 0;  // 1-based position of the record in its file
};

namespace listRows {

// What a column holds, which decides how the list sorts by it on screen.
enum class Values {
    Text,    // compared as the lists compare texts
    Number,  // by value (decimal comma, optional minus); a text that is no number comes last
    Date,    // dd/mm/yyyy by date; a text that is no date comes last
    Place,   // no field: the row's place in the list's own order, counted from 1
    Mark,    // no field: the word that marks the row (an expired card), ordered by its kind
};

// One column of a row: a label, then a record field cut or padded with blanks to a width. On
// screen the column is a table column under `header`, showing the field whole.
struct Column {
    QString label;          // shown before the field ("  Campo: "), part of the row's text
    QString field;          // the record field the column shows
    qsizetype width = -1;   // below 0 for the last column, shown as long as it is
    QString header;         // the table column's heading
    Values values = Values::Text;
    bool freeText = false;  // notes: the first column to give up room when the table is narrow
};
using Layout = QList<Column>;

// The row of one record: `values` holds one text per column, in column order.
QString build(const Layout& layout, const QStringList& values);

// Appends `field` with leading and trailing blanks removed, padded with blanks or cut to exactly
// `width` characters.
void appendColumn(QString& row, const QString& field, qsizetype width);

// Appends `field` with leading and trailing blanks removed, as long as it is (the last column).
void appendLast(QString& row, const QString& field);

// The column written at `out`, a field already trimmed: exactly `width` bytes, or all of the field
// for the last column (a width below 0). Returns the end. Long lists are written a row at a time
// this way, into room made once.
char* writeColumn(char* out, QByteArrayView trimmed, qsizetype width);
inline qsizetype columnSize(qsizetype trimmedSize, qsizetype width) { return width < 0 ? trimmedSize : width; }

// The order of every sorted list: code unit by code unit after mapping a to z to A to Z (no other
// folding, no locale); a text that is a prefix of another comes first.
bool orderLess(const QString& a, const QString& b);

// Sorts rows into that order; rows with the same text keep their relative order.
void sort(QList<ListRow>& rows);

// The same order for plain texts (file names in a list box).
void sort(QStringList& texts);

}  // namespace listRows
