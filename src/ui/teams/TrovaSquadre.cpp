#include "teams/TrovaSquadre.h"

#include <QLabel>

#include "common/PictureButton.h"
#include "common/Style.h"
#include "storage/TeamRecord.h"
#include "teams/TeamList.h"
#include "teams/TeamRows.h"

using namespace Qt::StringLiterals;

namespace {

const QList<SearchScreen::Filter>& teamFilters()
{
    static const QList<SearchScreen::Filter> filters = {
        {u"txtSquadra"_s, u"Squadra:"_s, u"Squadra"_s, {144, 141}},
        {u"txtSede"_s, u"Sede:"_s, u"Sede"_s, {488, 141}},
        {u"txtPresidente"_s, u"Presidente:"_s, u"Presidente"_s, {144, 211}},
        {u"txtAllenatore"_s, u"Allenatore:"_s, u"Allenatore"_s, {488, 211}},
        {u"txtCapitano"_s, u"Capitano:"_s, u"Capitano"_s, {144, 281}},
        {u"txtPortieri"_s, u"Portieri:"_s, u"Portieri"_s, {488, 281}},
        {u"txtDifensori"_s, u"Difensori:"_s, u"Difensori"_s, {144, 351}},
        {u"txtCentrocampisti"_s, u"Centrocampisti:"_s, u"Centrocampisti"_s, {488, 351}},
        {u"txtAttaccanti"_s, u"Attaccanti:"_s, u"Attaccanti"_s, {144, 421}},
        {u"txtNote"_s, u"Note:"_s, u"Note"_s, {488, 421}},
    };
    return filters;
}

}  // namespace

TfrmTrovaSquadre::TfrmTrovaSquadre(QWidget* owner)
    : SearchScreen(owner,
                   {{ListKind::TeamSearch, u"frmTrovaSquadre"_s, u" Trova squadre in archivio"_s, QSize(862, 560), false,
                     u"pulsante_stampa"_s},
                    teamFilters(),
                    recordFormat(TeamRecord::Layout),
                    &TeamList::archivePath,
                    [](QByteArrayView team) { return teamRows::row(team); },
                    u"Riepilogo squadre"_s,
                    u" schede."_s,
                    u"Fare doppio clic su una voce in elenco per richiamare la scheda"_s})
{
    (new Picture(u"imgTrova"_s, u"trova"_s, filterPanel()))->setGeometry(144, 28, 56, 56);
    auto* explanation = style::label(filterPanel(), u"lblSpiegazione"_s,
                                     u"Compilare uno o pi\u00F9 campi e premere Cerca: vengono elencate le squadre "
                                     "che contengono tutti i testi indicati."_s,
                                     style::verdana(10, true), style::navy);
    explanation->setWordWrap(true);
    explanation->setGeometry(212, 28, 596, 56);
}
