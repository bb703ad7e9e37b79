#pragma once

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <functional>

// The long-lived screens, and the one way of going from one to another: show the target, then
// hide the current one, so that exactly one work screen is visible. A screen that has not been
// registered is not available (the launcher disables the way to it). A screen may be registered
// by the way it is made: it is made the first time it is asked for, so that start-up builds only
// the screen it shows.
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
    void add(Screen id, std::function<QWidget*()> make);
    bool has(Screen id) const;
    // Makes the screen when it is asked for the first time.
    QWidget* screen(Screen id);

    // Shows `target` (maximised when it is a work screen) and hides `from`.
    void go(Screen target, QWidget* from);

private:
    struct Entry {
        QPointer<QWidget> screen;
        std::function<QWidget*()> make;
    };
    QHash<Screen, Entry> m_screens;
};
