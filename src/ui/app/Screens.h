#pragma once

#include "common/Navigator.h"

#include <QObject>
#include <memory>

class TfrmApriArchivio;
class TfrmApriClassifica;
class TfrmAvvio;
class TfrmCambiaPassword;
class TfrmCreaArchivio;
class TfrmGiocatori;
class TfrmMenuArchivi;
class TfrmPassword;
class TfrmSquadre;
class TfrmTorneo;

// The long-lived screens of one run, reached through the navigator. Only the login screen is made
// at start-up; each other one is made the first time it is needed and then kept for the run.
// Dialogs are not here: each is created when it is opened.
class Screens : public QObject {
    Q_OBJECT
public:
    Screens();
    ~Screens() override;

    Navigator& navigator() { return m_navigator; }
    TfrmPassword* login() const { return m_login.get(); }
    TfrmAvvio* launcher();

Q_SIGNALS:
    // The user ended the program (the launcher closed, or "Esci" on the login screen).
    void quitRequested();

private:
    template <typename ScreenType>
    ScreenType* made(std::unique_ptr<ScreenType>& screen);

    Navigator m_navigator;
    std::unique_ptr<TfrmPassword> m_login;
    std::unique_ptr<TfrmCambiaPassword> m_changePassword;
    std::unique_ptr<TfrmAvvio> m_launcher;
    std::unique_ptr<TfrmMenuArchivi> m_menu;
    std::unique_ptr<TfrmApriArchivio> m_openTournament;
    std::unique_ptr<TfrmCreaArchivio> m_createTournament;
    std::unique_ptr<TfrmTorneo> m_tournamentEditor;
    std::unique_ptr<TfrmApriClassifica> m_standingsChooser;
    std::unique_ptr<TfrmGiocatori> m_playerArchive;
    std::unique_ptr<TfrmSquadre> m_teamArchive;
};
