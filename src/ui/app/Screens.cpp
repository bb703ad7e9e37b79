#include "app/Screens.h"

#include "app/Avvio.h"
#include "app/CambiaPassword.h"
#include "app/MenuArchivi.h"
#include "app/Password.h"
#include "players/Giocatori.h"
#include "standings/ApriClassifica.h"
#include "teams/Squadre.h"
#include "tournament/ApriArchivio.h"
#include "tournament/CreaArchivio.h"
#include "tournament/Torneo.h"

Screens::Screens()
    : m_login(std::make_unique<TfrmPassword>(m_navigator))
{
    m_navigator.add(Screen::Login, m_login.get());
    m_navigator.add(Screen::ChangePassword, [this] { return made(m_changePassword); });
    m_navigator.add(Screen::Launcher, [this] { return launcher(); });
    m_navigator.add(Screen::TeamsMenu, [this] { return made(m_menu); });
    m_navigator.add(Screen::OpenTournament, [this] { return made(m_openTournament); });
    m_navigator.add(Screen::CreateTournament, [this] { return made(m_createTournament); });
    m_navigator.add(Screen::TournamentEditor, [this] { return made(m_tournamentEditor); });
    m_navigator.add(Screen::StandingsChooser, [this] { return made(m_standingsChooser); });
    m_navigator.add(Screen::PlayerArchive, [this] { return made(m_playerArchive); });
    m_navigator.add(Screen::TeamArchive, [this] { return made(m_teamArchive); });

    connect(m_login.get(), &TfrmPassword::quitRequested, this, &Screens::quitRequested);
}

Screens::~Screens() = default;

template <typename ScreenType>
ScreenType* Screens::made(std::unique_ptr<ScreenType>& screen)
{
    if (!screen)
        screen = std::make_unique<ScreenType>(m_navigator);
    return screen.get();
}

TfrmAvvio* Screens::launcher()
{
    if (!m_launcher) {
        made(m_launcher);
        connect(m_launcher.get(), &TfrmAvvio::quitRequested, this, &Screens::quitRequested);
    }
    return m_launcher.get();
}
