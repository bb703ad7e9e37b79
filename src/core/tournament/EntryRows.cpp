#include "tournament/EntryRows.h"

#include "text/TextRules.h"

namespace entryRows {

const listRows::Layout& layout()
{
    static const listRows::Layout columns = {
        {QString(), QStringLiteral("Concorrente"), 30, QStringLiteral("Squadra")},
        {QStringLiteral("  Resp. "), QStringLiteral("Responsabile"), 30, QStringLiteral("Responsabile")},
        {QStringLiteral("  Note: "), QStringLiteral("Note"), 58, QStringLiteral("Note"), listRows::Values::Text, true},
        {QStringLiteral("  Punti: "), QStringLiteral("Punteggio"), -1, QStringLiteral("Punti"), listRows::Values::Number},
    };
    return columns;
}

bool pending(QByteArrayView record)
{
    static constexpr std::size_t completato = TournamentRecord::Layout.indexOf("Completato");
    return trimControls(TournamentRecord::Layout.readField(record, completato)) == QStringLiteral("No");
}

}  // namespace entryRows
