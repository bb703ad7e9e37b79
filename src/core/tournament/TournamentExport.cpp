#include "tournament/TournamentExport.h"

using namespace Qt::StringLiterals;

namespace tournamentExport {

const spreadsheet::Sheet& sheet()
{
    static const spreadsheet::Sheet table{
        u"Torneo"_s,
        u"Torneo.xls"_s,
        {
            {u"colConcorrente"_s, u"Squadra"_s, 250, 300, u"Concorrente"_s},
            {u"colResponsabile"_s, u"Responsabile"_s, 250, 300, u"Responsabile"_s},
            {u"colTelefono"_s, u"Telefono"_s, 150, 200, u"Telefono"_s},
            {u"colEmail"_s, u"E-mail"_s, 200, 300, u"Email"_s},
            {u"colPunteggio"_s, u"Punteggio totale"_s, 140, 200, u"Punteggio"_s, spreadsheet::CellKind::Number},
            {u"colNote"_s, u"Note"_s, 350, 400, u"Note"_s},
            {u"colCompletato"_s, u"Torneo completato"_s, 140, 200, u"Completato"_s},
        },
    };
    return table;
}

}  // namespace tournamentExport
