#include "tournament/EntryRows.h"

#include "output/ListRows.h"
#include "text/TextRules.h"

namespace entryRows {

namespace {

QString build(const QString& team, const QString& contact, const QString& notes, const QString& points)
{
    QString text;
    text.reserve(150);
    listRows::appendColumn(text, team, 30);
    text += QStringLiteral("  Resp. ");
    listRows::appendColumn(text, contact, 30);
    text += QStringLiteral("  Note: ");
    listRows::appendColumn(text, notes, 58);
    text += QStringLiteral("  Punti: ");
    listRows::appendLast(text, points);
    return text;
}

}  // namespace

QString row(const TournamentRecord& entry)
{
    return build(entry.Concorrente, entry.Responsabile, entry.Note, entry.Punteggio);
}

QString row(const RecordValues& entry)
{
    return build(entry.value(QStringLiteral("Concorrente")), entry.value(QStringLiteral("Responsabile")),
                 entry.value(QStringLiteral("Note")), entry.value(QStringLiteral("Punteggio")));
}

bool pending(const TournamentRecord& entry)
{
    return trimControls(entry.Completato) == QStringLiteral("No");
}

}  // namespace entryRows
