#include "players/PlayerExport.h"

using namespace Qt::StringLiterals;

namespace playerExport {

const spreadsheet::Sheet& sheet()
{
    static const spreadsheet::Sheet table{
        u"Archivio Giocatori"_s,
        u"Archivio_Giocatori.xls"_s,
        {
            {u"colTiratore"_s, u"Cognome e nome"_s, 200, 250, u"Giocatore"_s},
            {u"colDataNasc"_s, u"Data nascita"_s, 140, 200, u"DataNasc"_s, spreadsheet::CellKind::Date},
            {u"colCittadinanza"_s, u"Cittadinanza"_s, 160, 250, u"Cittadinanza"_s},
            {u"colLuogoNasc"_s, u"Luogo nascita"_s, 200, 250, u"LuogoNasc"_s},
            {u"colIndirizzo"_s, u"Indirizzo residenza"_s, 250, 300, u"Indirizzo"_s},
            {u"colCitta"_s, u"Citt\u00E0"_s, 220, 250, u"Citta"_s},
            {u"colCAP"_s, u"CAP"_s, 100, 150, u"Cap"_s},
            {u"colNazione"_s, u"Nazione"_s, 200, 250, u"Nazione"_s},
            {u"colCodFisc"_s, u"Codice fiscale"_s, 180, 250, u"CodFisc"_s},
            {u"colSquadra"_s, u"Squadra"_s, 200, 280, u"Squadra"_s},
            {u"colMaglia"_s, u"Maglia n."_s, 120, 200, u"Maglia"_s},
            {u"colRuolo"_s, u"Ruolo"_s, 200, 250, u"Ruolo"_s},
            {u"colPiede"_s, u"Piede"_s, 150, 250, u"Piede"_s},
            {u"colEmail"_s, u"E-mail"_s, 220, 250, u"Email"_s},
            {u"colTelCasa"_s, u"Tel. casa"_s, 180, 200, u"Tel"_s},
            {u"colTelCel"_s, u"Tel. cellulare"_s, 180, 200, u"Cel"_s},
            {u"colTessera"_s, u"Tessera n."_s, 200, 250, u"Tessera"_s},
            {u"colInizioTes"_s, u"Scadenza tessera"_s, 150, 200, u"ScadTessera"_s, spreadsheet::CellKind::Date},
            {u"colFineTes"_s, u"Scadenza cert. medico"_s, 150, 200, u"ScadCertificato"_s, spreadsheet::CellKind::Date},
            {u"colPresenze"_s, u"Presenze"_s, 120, 180, u"Presenze"_s, spreadsheet::CellKind::Number},
            {u"colReti"_s, u"Reti"_s, 120, 180, u"Reti"_s, spreadsheet::CellKind::Number},
            {u"colAmmonizioni"_s, u"Ammonizioni"_s, 120, 180, u"Ammonizioni"_s, spreadsheet::CellKind::Number},
            {u"colEspulsioni"_s, u"Espulsioni"_s, 120, 180, u"Espulsioni"_s, spreadsheet::CellKind::Number},
            {u"colInfortuni"_s, u"Infortuni"_s, 350, 400, u"Infortuni"_s},
            {u"colNote"_s, u"Note"_s, 350, 400, u"Note"_s},
        },
        {
            {u"colSesso"_s, u"Sesso"_s, 60, 100, u"Sesso"_s},
            {u"colAltezza"_s, u"Altezza"_s, 100, 150, u"Altezza"_s},
            {u"colPeso"_s, u"Peso"_s, 100, 150, u"Peso"_s},
            {u"colRiconoscimenti"_s, u"Riconoscimenti"_s, 350, 400, u"Riconoscimenti"_s},
        },
    };
    return table;
}

}  // namespace playerExport
