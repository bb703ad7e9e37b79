#include "tournament/ImportaSquadra.h"

#include "editor/RecordEditing.h"
#include "platform/Platform.h"
#include "teams/TeamRows.h"

TfrmImportaSquadra::TfrmImportaSquadra(QWidget* owner)
    : TeamList(owner,
               {ListKind::TeamImport, QStringLiteral("frmImportaSquadra"),
                QStringLiteral(" Importa dati da archivio squadre"), QSize(862, 560), false,
                QStringLiteral("pulsante_stampa")},
               teamRows::hasName, QStringLiteral("Elenco squadre in archivio"))
{
    connect(this, &RecordListScreen::recordOpened, this, [this](qint64 position) {
        try {
            Q_EMIT teamChosen(TeamRecord::fromBytes(recordEditing::load(archivePath(), TeamRecord::Size, position)));
        } catch (const recordEditing::RecordGone&) {
            platform::warningBox(recordEditing::recordGoneMessage, this);
        } catch (...) {
            // The dialog closes and the entry keeps what it had.
        }
    });
}
