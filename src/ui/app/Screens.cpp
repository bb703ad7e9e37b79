#include "app/Screens.h"

#include "app/Avvio.h"
#include "app/CambiaPassword.h"
#include "app/MenuArchivi.h"
#include "app/Password.h"
#include "standings/ApriClassifica.h"
#include "teams/Squadre.h"
#include "tournament/ApriArchivio.h"
#include "tournament/CreaArchivio.h"
#include "tournament/Torneo.h"

Screens::Screens()
    : m_login(std::make_unique<TfrmPassword>(m_navigator))
    , m_changePassword(std::make_unique<TfrmCambiaPassword>(m_navigator))
    , m_launcher(std::make_unique<TfrmAvvio>(m_navigator))
    , m_menu(std::make_unique<TfrmMenuArchivi>(m_navigator))
    , m_openTournament(std::make_unique<TfrmApriArchivio>(m_navigator))
    , m_createTournament(std::make_unique<TfrmCreaArchivio>(m_navigator))
    , m_tournamentEditor(std::make_unique<TfrmTorneo>(m_navigator))
    , m_standingsChooser(std::make_unique<TfrmApriClassifica>(m_navigator))
    , m_teamArchive(std::make_unique<TfrmSquadre>(m_navigator))
{
    m_navigator.add(Screen::Login, m_login.get());
    m_navigator.add(Screen::ChangePassword, m_changePassword.get());
    m_navigator.add(Screen::Launcher, m_launcher.get());
    m_navigator.add(Screen::TeamsMenu, m_menu.get());
    m_navigator.add(Screen::OpenTournament, m_openTournament.get());
    m_navigator.add(Screen::CreateTournament, m_createTournament.get());
    m_navigator.add(Screen::TournamentEditor, m_tournamentEditor.get());
    m_navigator.add(Screen::StandingsChooser, m_standingsChooser.get());
    m_navigator.add(Screen::TeamArchive, m_teamArchive.get());

    connect(m_login.get(), &TfrmPassword::quitRequested, this, &Screens::quitRequested);
    connect(m_launcher.get(), &TfrmAvvio::quitRequested, this, &Screens::quitRequested);
}

Screens::~Screens() = default;
