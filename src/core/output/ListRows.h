#pragma once

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

// Appends `field` with leading and trailing blanks removed, padded with blanks or cut to exactly
// `width` characters.
void appendColumn(QString& row, const QString& field, qsizetype width);

// Appends `field` with leading and trailing blanks removed, as long as it is (the last column).
void appendLast(QString& row, const QString& field);

// The order of every sorted list: code unit by code unit after mapping a to z to A to Z (no other
// folding, no locale); a text that is a prefix of another comes first.
bool orderLess(const QString& a, const QString& b);

// Sorts rows into that order; rows with the same text keep their relative order.
void sort(QList<ListRow>& rows);

// The same order for plain texts (file names in a list box).
void sort(QStringList& texts);

}  // namespace listRows
