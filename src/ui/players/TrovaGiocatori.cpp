#include "players/TrovaGiocatori.h"

#include "app/ProgramFolder.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "players/PlayerRows.h"
#include "storage/PlayerRecord.h"

#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

// Two columns, in Enter order.
const QList<SearchScreen::Filter>& playerFilters()
{
    static const QList<SearchScreen::Filter> filters = {
        {u"txtGiocatore"_s, u"Cognome e nome:"_s, u"Giocatore"_s, {144, 141}},
        {u"txtDataNasc"_s, u"Data di nascita (gg/mm/aaaa):"_s, u"DataNasc"_s, {488, 141}},
        {u"txtCittadinanza"_s, u"Cittadinanza:"_s, u"Cittadinanza"_s, {144, 211}},
        {u"txtLuogoNasc"_s, u"Luogo di nascita:"_s, u"LuogoNasc"_s, {488, 211}},
        {u"txtCodFisc"_s, u"Codice fiscale:"_s, u"CodFisc"_s, {144, 281}},
        {u"txtSquadra"_s, u"Squadra:"_s, u"Squadra"_s, {488, 281}},
        {u"txtTessera"_s, u"Tessera n."_s, u"Tessera"_s, {144, 351}},
        {u"txtRuolo"_s, u"Ruolo:"_s, u"Ruolo"_s, {488, 351}},
        {u"txtInfortuni"_s, u"Infortuni:"_s, u"Infortuni"_s, {144, 421}},
        {u"txtNote"_s, u"Note:"_s, u"Note"_s, {488, 421}},
    };
    return filters;
}

}  // namespace

TfrmTrovaGiocatori::TfrmTrovaGiocatori(QWidget* owner)
    : SearchScreen(owner,
                   {{ListKind::PlayerSearch, u"frmTrovaGiocatori"_s, u" Trova schede giocatori in archivio"_s,
                     QSize(862, 560), false, u"pulsante_stampa"_s},
                    playerFilters(),
                    recordFormat(PlayerRecord::Layout),
                    [] { return programFolder::file(programFolder::playerArchiveName); },
                    playerRows::cardLayout(),
                    u"Riepilogo schede giocatori in archivio"_s,
                    u" schede"_s,
                    u"Fare doppio clic sulla voce in elenco per richiamare la scheda"_s})
{
    (new Picture(u"imgTrova"_s, u"trova"_s, filterPanel()))->setGeometry(144, 28, 56, 56);
    auto* explanation = style::label(filterPanel(), u"lblSpiegazione"_s,
                                     u"Compilare uno o pi\u00F9 campi e premere Cerca: vengono elencati i giocatori "
                                     "che contengono tutti i testi indicati."_s,
                                     style::verdana(10, true), style::navy);
    explanation->setWordWrap(true);
    explanation->setGeometry(212, 28, 596, 56);
}
