#include "tournament/ApriArchivio.h"

#include "app/ProgramFolder.h"
#include "common/HelpTopics.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "platform/Platform.h"
#include "tournament/Catalogue.h"
#include "tournament/Torneo.h"
#include "tournament/TournamentList.h"

#include <QLabel>
#include <QShowEvent>

TfrmApriArchivio::TfrmApriArchivio(Navigator& navigator)
    : WorkScreen(navigator, QStringLiteral("frmApriArchivio"), QStringLiteral(" Golvera - Apertura torneo"))
    , m_tournaments(new TournamentList(content()))
{
    QWidget* panel = content();
    const int width = WorkScreen::panelSize.width();

    (new Picture(QStringLiteral("imgTitolo"), QStringLiteral("title"), panel))->move(237, 40);

    auto* instructions = new QLabel(
        QStringLiteral("Selezionare il torneo nell'elenco e premere Apri archivio, oppure il cestino per eliminarlo."), panel);
    instructions->setObjectName(QStringLiteral("lblIstruzioni"));
    instructions->setFont(style::verdana(12, true));
    instructions->setStyleSheet(QStringLiteral("color: %1;").arg(style::navy.name()));
    instructions->setAlignment(Qt::AlignCenter);
    instructions->setGeometry(40, 150, width - 80, 28);

    m_tournaments->setGeometry(97, 188, width - 194, 364);
    // A double-click does what selecting and pressing "Apri archivio" does.
    connect(m_tournaments, &TournamentList::activated, this, &TfrmApriArchivio::btnApriClick);

    auto* open = new PictureButton(QStringLiteral("btnApri"), QStringLiteral("apri_archivio"), panel);
    open->move(width / 2 - 262, 584);
    connect(open, &PictureButton::clicked, this, &TfrmApriArchivio::btnApriClick);

    auto* remove = new PictureButton(QStringLiteral("btnElimina"), QStringLiteral("cestino"), panel);
    remove->move(width / 2 - 24, 583);
    connect(remove, &PictureButton::clicked, this, &TfrmApriArchivio::btnEliminaClick);

    auto* cancel = new PictureButton(QStringLiteral("btnAnnulla"), QStringLiteral("annulla"), panel);
    cancel->move(width / 2 + 42, 584);
    connect(cancel, &PictureButton::clicked, this, &QWidget::close);

    auto* guide = new PictureButton(QStringLiteral("imgGuida"), QStringLiteral("help"), panel);
    guide->move(width - 72, 16);
    connect(guide, &PictureButton::clicked, this, [this] { help::show(this, QStringLiteral("tornei")); });
}

void TfrmApriArchivio::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_route = Route::Launcher;
        m_tournaments->fill();
    }
    WorkScreen::showEvent(event);
}

void TfrmApriArchivio::btnApriClick()
{
    if (m_tournaments->chosenFile(catalogue::openNoSelectionMessage).isEmpty())
        return;
    m_route = Route::Editor;
    close();
}

void TfrmApriArchivio::btnEliminaClick()
{
    const QString file = m_tournaments->chosenFile(catalogue::deleteNoSelectionMessage);
    if (file.isEmpty())
        return;
    // Deleting cannot be undone: Enter answers No.
    if (!platform::questionBox(catalogue::deleteQuestion, this, platform::Answer::No))
        return;
    m_route = Route::Launcher;
    // A file that stays is still a tournament: it stays listed and selected.
    if (!catalogue::remove(programFolder::file(file)))
        return platform::warningBox(catalogue::deleteFailedMessage, this);
    platform::informationBox(catalogue::deletedMessage, this);
    m_tournaments->fill();
}

void TfrmApriArchivio::leave()
{
    const QString file = m_tournaments->selectedFile();
    auto* editor = qobject_cast<TfrmTorneo*>(navigator().screen(Screen::TournamentEditor));
    if (m_route == Route::Editor && editor && !file.isEmpty()) {
        m_route = Route::Launcher;
        editor->setTournament(programFolder::file(file), catalogue::displayName(file));
        navigator().go(Screen::TournamentEditor, this);
        return;
    }
    m_route = Route::Launcher;
    navigator().go(Screen::Launcher, this);
}
