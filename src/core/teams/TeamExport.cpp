#include "teams/TeamExport.h"

using namespace Qt::StringLiterals;

namespace teamExport {

const spreadsheet::Sheet& sheet()
{
    static const spreadsheet::Sheet table{
        u"Archivio Squadre"_s,
        u"Archivio_Squadre.xls"_s,
        {
            {u"colSquadra"_s, u"Squadra"_s, 250, 300, u"Squadra"_s},
            {u"colColori"_s, u"Colori"_s, 250, 250, u"Colori"_s},
            {u"colSede"_s, u"Sede"_s, 200, 250, u"Sede"_s},
            {u"colCampo"_s, u"Campo"_s, 200, 250, u"Campo"_s},
            {u"colPresidente"_s, u"Presidente"_s, 200, 250, u"Presidente"_s},
            {u"colAllenatore"_s, u"Allenatore"_s, 200, 250, u"Allenatore"_s},
            {u"colCapitano"_s, u"Capitano"_s, 200, 250, u"Capitano"_s},
            {u"colCapocannoniere"_s, u"Capocannoniere di squadra"_s, 200, 300, u"Capocannoniere"_s},
            {u"colPortieri"_s, u"Portieri"_s, 350, 400, u"Portieri"_s},
            {u"colDifensori"_s, u"Difensori"_s, 350, 400, u"Difensori"_s},
            {u"colCentrocampisti"_s, u"Centrocampisti"_s, 350, 400, u"Centrocampisti"_s},
            {u"colAttaccanti"_s, u"Attaccanti"_s, 350, 400, u"Attaccanti"_s},
            {u"colFondazione"_s, u"Data fondazione"_s, 120, 200, u"Fondazione"_s, spreadsheet::CellKind::Date},
            {u"colFondatore"_s, u"Fondatore"_s, 200, 250, u"Fondatore"_s},
            {u"colResponsabile"_s, u"Responsabile"_s, 200, 250, u"Responsabile"_s},
            {u"colTelefono"_s, u"Telefono"_s, 150, 200, u"Telefono"_s},
            {u"colEmail"_s, u"E-mail"_s, 200, 250, u"Email"_s},
            {u"colPalmares"_s, u"Palmar\u00E8s"_s, 350, 400, u"Palmares"_s},
            {u"colNote"_s, u"Note"_s, 300, 400, u"Note"_s},
            {u"colSelezionata"_s, u"Selezionata"_s, 100, 180, u"Selezionata"_s},
        },
    };
    return table;
}

}  // namespace teamExport
