#include "standings/Standings.h"

#include "output/ListSummary.h"
#include "output/ArchiveScan.h"
#include "storage/TextField.h"
#include "storage/TournamentRecord.h"
#include "text/TextRules.h"
#include "tournament/Points.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <optional>
#include <vector>

namespace standings {
namespace {

constexpr auto Layout = TournamentRecord::Layout;

// Where each shown field lies in a record; only these are decoded, not the long match list.
struct FieldAt {
    int offset;
    int capacity;
};
constexpr FieldAt fieldAt(std::string_view name)
{
    return {Layout.offsetOf(name), Layout.capacityOf(name)};
}
constexpr FieldAt ConcorrenteAt = fieldAt("Concorrente");
constexpr FieldAt ResponsabileAt = fieldAt("Responsabile");
constexpr FieldAt NoteAt = fieldAt("Note");
constexpr FieldAt PunteggioAt = fieldAt("Punteggio");

QString field(QByteArrayView record, FieldAt at)
{
    return readText(record.data() + at.offset, at.capacity, Layout.encoding);
}

Entry entryFrom(qint64 position, QByteArrayView record)
{
    return {position, field(record, ConcorrenteAt), field(record, ResponsabileAt), field(record, NoteAt),
            field(record, PunteggioAt)};
}

// Column widths of the two layouts; the contact person is narrower in the merit row, which
// spends the room on the place number.
constexpr qsizetype PlaceWidth = 5;
constexpr qsizetype NameWidth = 30;
constexpr qsizetype MeritContactWidth = 25;
constexpr qsizetype AlphabeticalContactWidth = 30;
constexpr qsizetype NoteWidth = 58;
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

QList<qsizetype> meritOrder(const QList<Entry>& entries)
{
    struct Ranked {
        std::optional<double> value;
        qsizetype index;
    };
    std::vector<Ranked> ranked;
    ranked.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i)
        ranked.push_back({pointsValue(entries.at(i).punteggio), i});
    // Stable, so equal values and every entry without a value stay in file order.
    std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        if (a.value && b.value)
            return *a.value > *b.value;
        return a.value.has_value() && !b.value.has_value();
    });
    QList<qsizetype> order;
    order.reserve(entries.size());
    for (const Ranked& entry : ranked)
        order.append(entry.index);
    return order;
}

QList<ListRow> meritRows(const QList<Entry>& entries)
{
    QList<ListRow> rows;
    rows.reserve(entries.size());
    for (qsizetype index : meritOrder(entries)) {
        const Entry& entry = entries.at(index);
        rows.append({meritRow(rows.size() + 1, entry), entry.position});
    }
    return rows;
}

QList<ListRow> alphabeticalRows(const QList<Entry>& entries)
{
    QList<ListRow> rows;
    rows.reserve(entries.size());
    for (const Entry& entry : entries) {
        if (!trimControls(entry.punteggio).isEmpty())
            rows.append({alphabeticalRow(entry), entry.position});
    }
    listRows::sort(rows);
    return rows;
}

List read(Kind kind, const QString& path)
{
    QList<Entry> entries;
    const QString error = archiveScan::visit(path, TournamentRecord::Size, [&entries](qint64 position, QByteArrayView record) {
        entries.append(entryFrom(position, record));
    });
    if (kind == Kind::Merit)
        return {error.isEmpty() ? meritRows(entries) : QList<ListRow>(), error};
    return {alphabeticalRows(entries), error};
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
