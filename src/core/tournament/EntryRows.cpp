#include "tournament/EntryRows.h"

#include "text/TextRules.h"

namespace entryRows {

const listRows::Layout& layout()
{
    static const listRows::Layout columns = {
        {QString(), QStringLiteral("Concorrente"), 30},
        {QStringLiteral("  Resp. "), QStringLiteral("Responsabile"), 30},
        {QStringLiteral("  Note: "), QStringLiteral("Note"), 58},
        {QStringLiteral("  Punti: "), QStringLiteral("Punteggio"), -1},
    };
    return columns;
}

QString row(const TournamentRecord& entry)
{
    return listRows::build(layout(), {entry.Concorrente, entry.Responsabile, entry.Note, entry.Punteggio});
}

bool pending(const TournamentRecord& entry)
{
    return trimControls(entry.Completato) == QStringLiteral("No");
}

}  // namespace entryRows
