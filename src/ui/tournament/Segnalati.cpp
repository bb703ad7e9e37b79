#include "tournament/Segnalati.h"

#include "common/PictureButton.h"
#include "output/PackedRows.h"
#include "storage/TournamentRecord.h"
#include "text/TextRules.h"
#include "tournament/EntryRows.h"

#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize PanelSize{833, 529};

}  // namespace

TfrmSegnalati::TfrmSegnalati(QWidget* owner)
    : RecordListScreen(owner, {ListKind::PendingEntries, u"frmSegnalati"_s, u" Squadre con gare da disputare"_s, PanelSize,
                               false, u"pulsante_stampa"_s})
{
    layOutForOpening(panel(), u"Fare doppio clic su una voce in elenco per richiamare la scheda"_s);
    connect(printButton(), &PictureButton::clicked, this,
            [this] { printRows(u"Squadre con gare da disputare"_s); });
    onWithdrawnSwitch([this] { fill(); });
}

void TfrmSegnalati::fill()
{
    setRows(PackedRows::read(trimControls(m_path), formatOf<TournamentRecord>(), entryRows::layout(), entryRows::pending,
                             withdrawnListing()));
}

// A failed reading is not reported: the list keeps the entries read before it.
void TfrmSegnalati::showEvent(QShowEvent* event)
{
    RecordListScreen::showEvent(event);
    if (event->spontaneous())
        return;
    fill();
    resetFind();
}
