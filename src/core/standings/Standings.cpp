#include "standings/Standings.h"

#include "output/ListSummary.h"
#include "standings/StandingsTable.h"
#include "text/TextRules.h"

#include <QDir>
#include <QFileInfo>

namespace standings {
namespace {

// Column widths of the two layouts; the contact person is narrower in the merit row, which
// spends the room on the place number.
constexpr qsizetype PlaceWidth = 5;
constexpr qsizetype MeritContactWidth = 25;
constexpr qsizetype RowCapacity = 160;

const QString Separator = QStringLiteral("  ");
const QString ContactLabel = QStringLiteral("  Resp. ");
const QString NoteLabel = QStringLiteral("  Note: ");
const QString PointsLabel = QStringLiteral("  Punti: ");

void appendAfterName(QString& row, const Entry& entry, qsizetype contactWidth)
{
    row.append(ContactLabel);
    listRows::appendColumn(row, entry.responsabile, contactWidth);
    row.append(NoteLabel);
    listRows::appendColumn(row, entry.note, NoteWidth);
    row.append(PointsLabel);
    listRows::appendLast(row, entry.punteggio);
}

}  // namespace

QString meritRow(qsizetype place, const Entry& entry)
{
    QString row;
    row.reserve(RowCapacity);
    listRows::appendColumn(row, QString::number(place), PlaceWidth);
    row.append(Separator);
    listRows::appendColumn(row, entry.concorrente, NameWidth);
    appendAfterName(row, entry, MeritContactWidth);
    return row;
}

QString alphabeticalRow(const Entry& entry)
{
    QString row;
    row.reserve(RowCapacity);
    listRows::appendColumn(row, entry.concorrente, NameWidth);
    appendAfterName(row, entry, AlphabeticalContactWidth);
    return row;
}

const listRows::Layout& columns(Kind kind)
{
    using listRows::Values;
    static const listRows::Layout merit = {
        {QString(), QString(), PlaceWidth, QStringLiteral("Pos."), Values::Place},
        {Separator, QStringLiteral("Concorrente"), NameWidth, QStringLiteral("Squadra")},
        {ContactLabel, QStringLiteral("Responsabile"), MeritContactWidth, QStringLiteral("Responsabile")},
        {NoteLabel, QStringLiteral("Note"), NoteWidth, QStringLiteral("Note"), Values::Text, true},
        {PointsLabel, QStringLiteral("Punteggio"), -1, QStringLiteral("Punti"), Values::Number},
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

namespace {

QString documentName(Kind kind)
{
    return kind == Kind::Merit ? QStringLiteral("Classifica di merito") : QStringLiteral("Classifica alfabetica");
}

// "Coppa Estate" for "Coppa Estate.vai".
QString tournamentName(const QString& fileName)
{
    const bool tournamentFile = fileName.endsWith(QStringLiteral(".vai"), Qt::CaseInsensitive);
    return tournamentFile ? fileName.chopped(4) : fileName;
}

}  // namespace

report::Report document(Kind kind, const QString& title, const QList<ListRow>& rows)
{
    QStringList lines;
    lines.reserve(rows.size() + 2);
    for (const ListRow& row : rows)
        lines.append(row.text);
    lines += closingLines(rows.size());
    return listSummary::make(documentName(kind), trimControls(title), lines);
}

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
