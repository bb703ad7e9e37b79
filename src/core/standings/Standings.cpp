#include "standings/Standings.h"

#include "storage/Cp1252.h"
#include "standings/StandingsTable.h"
#include "text/TextRules.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <iterator>

namespace standings {
namespace {

// Column widths of the two layouts; the contact person is narrower in the merit row, which
// spends the room on the place number.
constexpr qsizetype PlaceWidth = 5;
constexpr qsizetype MeritContactWidth = 25;
constexpr qsizetype RowCapacity = 160;

// What comes before each column after the first.
constexpr char Separator[] = "  ";
constexpr char ContactLabel[] = "  Resp. ";
constexpr char NoteLabel[] = "  Note: ";
constexpr char PointsLabel[] = "  Punti: ";

QString textRow(Kind kind, qsizetype place, const Entry& entry)
{
    const QByteArray fields[] = {cp1252::encode(entry.concorrente), cp1252::encode(entry.responsabile),
                                 cp1252::encode(entry.note), cp1252::encode(entry.punteggio)};
    QByteArray row;
    row.reserve(RowCapacity);
    appendRow(row, kind, place, {fields[0], fields[1], fields[2], fields[3]});
    return cp1252::decode(row);
}

}  // namespace

void appendRow(QByteArray& row, Kind kind, qsizetype place, const StoredEntry& entry)
{
    struct Column {
        QByteArrayView label;
        QByteArrayView text;  // trimmed
        qsizetype width;      // below 0: as long as it is
    };
    char digits[24];
    const auto written = std::to_chars(std::begin(digits), std::end(digits), place);
    const bool merit = kind == Kind::Merit;
    const Column columns[] = {
        {"", merit ? QByteArrayView(digits, written.ptr - digits) : QByteArrayView(), merit ? PlaceWidth : 0},
        {merit ? Separator : "", trimControls(entry.concorrente), NameWidth},
        {ContactLabel, trimControls(entry.responsabile), merit ? MeritContactWidth : AlphabeticalContactWidth},
        {NoteLabel, trimControls(entry.note), NoteWidth},
        {PointsLabel, trimControls(entry.punteggio), -1},
    };
    // The row's size is known before it is made: room is made once, then filled.
    qsizetype size = 0;
    for (const Column& column : columns)
        size += column.label.size() + listRows::columnSize(column.text.size(), column.width);
    const qsizetype at = row.size();
    row.resize(at + size);
    char* out = row.data() + at;
    for (const Column& column : columns) {
        out = std::copy(column.label.begin(), column.label.end(), out);
        out = listRows::writeColumn(out, column.text, column.width);
    }
}

QString meritRow(qsizetype place, const Entry& entry)
{
    return textRow(Kind::Merit, place, entry);
}

QString alphabeticalRow(const Entry& entry)
{
    return textRow(Kind::Alphabetical, 0, entry);
}

const listRows::Layout& columns(Kind kind)
{
    using listRows::Values;
    static const listRows::Layout merit = {
        {QString(), QString(), PlaceWidth, QStringLiteral("Pos."), Values::Place},
        {QString::fromLatin1(Separator), QStringLiteral("Concorrente"), NameWidth, QStringLiteral("Squadra")},
        {QString::fromLatin1(ContactLabel), QStringLiteral("Responsabile"), MeritContactWidth, QStringLiteral("Responsabile")},
        {QString::fromLatin1(NoteLabel), QStringLiteral("Note"), NoteWidth, QStringLiteral("Note"), Values::Text, true},
        {QString::fromLatin1(PointsLabel), QStringLiteral("Punteggio"), -1, QStringLiteral("Punti"), Values::Number},
    };
    static const listRows::Layout alphabetical = [] {
        listRows::Layout layout = merit.mid(1);
        layout[0].label.clear();
        layout[1].width = AlphabeticalContactWidth;
        return layout;
    }();
    return kind == Kind::Merit ? merit : alphabetical;
}

List read(Kind kind, const QString& path)
{
    const Table table = Table::load(kind, path);
    return {table.all(), table.error()};
}

QStringList closingLines(qsizetype total)
{
    return {QStringLiteral("- - - - - - - - - - - - - - - -"),
            QStringLiteral("TOTALE SQUADRE:              ") + QString::number(total)};
}

QString documentName(Kind kind)
{
    return kind == Kind::Merit ? QStringLiteral("Classifica di merito") : QStringLiteral("Classifica alfabetica");
}

namespace {

// "Coppa Estate" for "Coppa Estate.vai".
QString tournamentName(const QString& fileName)
{
    const bool tournamentFile = fileName.endsWith(QStringLiteral(".vai"), Qt::CaseInsensitive);
    return tournamentFile ? fileName.chopped(4) : fileName;
}

}  // namespace

QString title(Kind kind, const QString& fileName)
{
    return documentName(kind) + QLatin1Char(' ') + tournamentName(fileName);
}

QString pdfFileName(Kind kind, const QString& tournamentPath)
{
    return tournamentName(QFileInfo(trimControls(tournamentPath)).fileName()) + QStringLiteral(" - ") + documentName(kind)
        + QStringLiteral(".pdf");
}

}  // namespace standings
