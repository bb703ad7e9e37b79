#pragma once

#include <QHash>
#include <QPointer>
#include <QWidget>

// The long-lived screens, and the one way of going from one to another: show the target, then
// hide the current one, so that exactly one work screen is visible. A screen that has not been
// registered is not available (the launcher disables the way to it).
enum class Screen {
    Login,
    ChangePassword,
    Launcher,
    TeamsMenu,
    CreateTournament,
    OpenTournament,
    TournamentEditor,
    StandingsChooser,
    TeamArchive,
    PlayerArchive,
};

class Navigator {
public:
    void add(Screen id, QWidget* screen);
    bool has(Screen id) const;
    QWidget* screen(Screen id) const;

    // Shows `target` (maximised when it is a work screen) and hides `from`.
    void go(Screen target, QWidget* from);

private:
    QHash<Screen, QPointer<QWidget>> m_screens;
};
