#include "teams/TeamImport.h"

#include "app/ProgramFolder.h"
#include "storage/TeamRecord.h"
#include "teams/TeamExport.h"
#include "text/TextRules.h"

using namespace Qt::StringLiterals;

namespace teamImport {
namespace {

using sheetImport::Rule;

// Headers other programs and federations use for the same fields.
const QHash<QString, QStringList>& synonyms()
{
    static const QHash<QString, QStringList> table = {
        {u"Squadra"_s, {u"Nome squadra"_s, u"Nome"_s, u"Societ\u00E0"_s, u"Club"_s, u"Team"_s}},
        {u"Colori"_s, {u"Colori sociali"_s}},
        {u"Sede"_s, {u"Sede sociale"_s, u"Indirizzo"_s}},
        {u"Campo"_s, {u"Campo di gioco"_s, u"Impianto"_s, u"Stadio"_s}},
        {u"Capocannoniere"_s, {u"Capocannoniere"_s}},
        {u"Fondazione"_s, {u"Fondazione"_s, u"Anno di fondazione"_s, u"Fondata nel"_s}},
        {u"Responsabile"_s, {u"Referente"_s, u"Dirigente responsabile"_s}},
        {u"Telefono"_s, {u"Tel."_s, u"Cellulare"_s}},
        {u"Email"_s, {u"Email"_s, u"Mail"_s, u"Posta elettronica"_s}},
        {u"Palmares"_s, {u"Palmares"_s, u"Trofei"_s}},
        {u"Selezionata"_s, {u"Selezione"_s}},
    };
    return table;
}

QList<sheetImport::Target> targets()
{
    QList<sheetImport::Target> list;
    for (const spreadsheet::Column& column : teamExport::sheet().columns) {
        const Rule rule = column.field == u"Selezionata" ? Rule::YesNo
                          : column.field == u"Fondazione" ? Rule::Date
                                                           : Rule::Text;
        list.append({column.field, column.label, synonyms().value(column.field), rule});
    }
    return list;
}

}  // namespace

const sheetImport::Archive& archive()
{
    static const int selected = formatOf<TeamRecord>().indexOf(u"Selezionata"_s);
    static const sheetImport::Archive teams = sheetImport::resolved({
        programFolder::teamArchiveName,
        formatOf<TeamRecord>(),
        targets(),
        {u"Squadra"_s},
        {},
        // The editor stores "No" for a box left clear.
        [](sheetImport::Texts& texts) {
            if (texts.at(selected).isEmpty())
                texts[selected] = u"No"_s;
        },
        {},
        {u"Squadra"_s},
        u"stesso nome della squadra"_s,
    });
    return teams;
}

}  // namespace teamImport
