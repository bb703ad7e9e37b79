#include "tournament/TrovaPagina.h"

#include "storage/TournamentRecord.h"
#include "text/TextRules.h"
#include "tournament/EntryRows.h"

using namespace Qt::StringLiterals;

namespace {

// In Enter order, two columns of three.
const QList<SearchScreen::Filter>& filters()
{
    static const QList<SearchScreen::Filter> rows = {
        {u"txtConcorrente"_s, u"Squadra:"_s, u"Concorrente"_s, {64, 110}},
        {u"txtResponsabile"_s, u"Responsabile:"_s, u"Responsabile"_s, {448, 110}},
        {u"txtTelefono"_s, u"Telefono:"_s, u"Telefono"_s, {64, 200}},
        {u"txtEmail"_s, u"E-mail:"_s, u"Email"_s, {448, 200}},
        {u"txtGare"_s, u"Gare disputate:"_s, u"Gare"_s, {64, 290}},
        {u"txtNote"_s, u"Note:"_s, u"Note"_s, {448, 290}},
    };
    return rows;
}

}  // namespace

TfrmTrovaPagina::TfrmTrovaPagina(QWidget* owner)
    : SearchScreen(owner, {{ListKind::TournamentSearch, u"frmTrovaPagina"_s, u" Trova squadre in torneo"_s, QSize(862, 560),
                            false, u"pulsante_stampa"_s},
                           filters(),
                           recordFormat(TournamentRecord::Layout),
                           [this] { return trimControls(m_path); },
                           [](QByteArrayView entry) { return entryRows::row(TournamentRecord::fromBytes(entry)); },
                           u"Riepilogo squadre torneo"_s,
                           u" schede."_s,
                           u"Fare doppio clic sulla voce in elenco per richiamare la scheda"_s})
{
}
