#include "tournament/EntrySheet.h"

#include "text/TextRules.h"

namespace entrySheet {

report::Report make(const QString& tournament, const QString& position, const RecordValues& entry, Copy copy)
{
    report::Report sheet = report::Report::load(QStringLiteral("squadra_gare"));
    if (copy == Copy::Print) {
        sheet.object(QStringLiteral("lblSquadra")).geometry.setWidth(73.32282);
        QRectF& team = sheet.object(QStringLiteral("txtConcorrente")).geometry;
        team.setLeft(124.72449);
        team.setWidth(619.84253);
    }
    sheet.page(0).orientation = QPageLayout::Portrait;
    sheet.text(QStringLiteral("lblNome")).setText(trimControls(tournament));
    sheet.text(QStringLiteral("txtPagina")).setText(QStringLiteral("p. ") + trimControls(position));
    for (const char* field : {"Concorrente", "Responsabile", "Telefono", "Email", "Gare", "Punteggio", "Note"}) {
        const QString name = QLatin1String(field);
        sheet.text(QStringLiteral("txt") + name).setText(trimControls(entry.value(name)));
    }
    return sheet;
}

}  // namespace entrySheet
