#include "app/Screens.h"

#include "app/Avvio.h"
#include "app/CambiaPassword.h"
#include "app/MenuArchivi.h"
#include "app/Password.h"

Screens::Screens()
    : m_login(std::make_unique<TfrmPassword>(m_navigator))
    , m_changePassword(std::make_unique<TfrmCambiaPassword>(m_navigator))
    , m_launcher(std::make_unique<TfrmAvvio>(m_navigator))
    , m_menu(std::make_unique<TfrmMenuArchivi>(m_navigator))
{
    m_navigator.add(Screen::Login, m_login.get());
    m_navigator.add(Screen::ChangePassword, m_changePassword.get());
    m_navigator.add(Screen::Launcher, m_launcher.get());
    m_navigator.add(Screen::TeamsMenu, m_menu.get());

    connect(m_login.get(), &TfrmPassword::quitRequested, this, &Screens::quitRequested);
    connect(m_launcher.get(), &TfrmAvvio::quitRequested, this, &Screens::quitRequested);
}

Screens::~Screens() = default;
