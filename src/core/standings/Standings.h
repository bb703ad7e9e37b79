#pragma once

#include "output/ListRows.h"
#include "output/Report.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// The two standings of a tournament: by merit (highest points first, numbered) and alphabetical
// (by team name, entries without points left out), as list rows and as the printed document.
namespace standings {

enum class Kind { Merit, Alphabetical };

// The fields of an entry the standings show.
struct Entry {
    qint64 position = 0;  // 1-based, in the tournament file
    QString concorrente;
    QString responsabile;
    QString note;
    QString punteggio;
};

// The rows of one standings list. When reading failed, `error` says why and `rows` holds what
// the kind of standings keeps of a failed reading.
struct List {
    QList<ListRow> rows;
    QString error;
    bool failed() const { return !error.isEmpty(); }
};

// Column widths shared by both layouts; the alphabetical contact column is as wide as the name.
inline constexpr qsizetype NameWidth = 30;
inline constexpr qsizetype AlphabeticalContactWidth = 30;
inline constexpr qsizetype NoteWidth = 58;

// The four shown fields of an entry as stored (Windows-1252).
struct StoredEntry {
    QByteArrayView concorrente;
    QByteArrayView responsabile;
    QByteArrayView note;
    QByteArrayView punteggio;
};

// Row layouts, appended to `row` as Windows-1252 bytes, one per character. The merit row starts
// with its place in the standings; the alphabetical row has none and ignores `place`.
void appendRow(QByteArray& row, Kind kind, qsizetype place, const StoredEntry& entry);

// The same rows as texts.
QString meritRow(qsizetype place, const Entry& entry);
QString alphabeticalRow(const Entry& entry);

// The same rows as columns, for the screens' tables.
const listRows::Layout& columns(Kind kind);

// Reads the tournament file at `path`, creating it empty when it is missing. A failed reading
// gives no merit rows (the order needs every entry) and the alphabetical rows read before it.
// Merit order: entries whose points read as a number (decimal comma, optional minus) by value,
// highest first, equal values in file order; then every other entry (empty or not a number) in
// file order. Alphabetical order: by the row text with a to z folded, entries without points
// left out. Every row's text is made here; a screen keeps a Table and makes them when drawn.
List read(Kind kind, const QString& path);

// The two lines printed after the rows.
QStringList closingLines(qsizetype total);

// The printed document's name: "Classifica di merito", "Classifica alfabetica".
QString documentName(Kind kind);

// The printed standings: the list summary with `title`, the rows and the closing lines. Made in a
// file of its own: the command line prints rows without the report engine and its Qt GUI.
report::Report document(Kind kind, const QString& title, const QList<ListRow>& rows);

// "Classifica di merito Coppa Estate" for the file "Coppa Estate.vai".
QString title(Kind kind, const QString& fileName);

// The PDF file the print dialog suggests: "Coppa Estate - Classifica di merito.pdf" for the
// tournament file ".../Coppa Estate.vai".
QString pdfFileName(Kind kind, const QString& tournamentPath);

}  // namespace standings
