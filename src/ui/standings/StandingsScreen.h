#pragma once

#include "output/RecordListScreen.h"
#include "standings/Standings.h"

#include <functional>
#include <memory>

class QLabel;
class QThread;
class QTimer;

namespace standings {
struct Progress;
}

// What the two standings screens share: a maximised list under the standings title, "Trova",
// the total of the teams, printing with its question, help and "Esci". The window shows at once
// and the standings fill it when read: the file is read away from the window, which keeps
// answering; a reading that takes longer than half a second shows how far it has come, and
// "Esci" cancels it.
class StandingsScreen : public RecordListScreen {
    Q_OBJECT
public:
    // The title the chooser writes ("Classifica di merito Coppa Estate").
    void setTitle(const QString& title);
    // The tournament file, as the chooser holds it.
    void setTournament(const QString& path) { m_tournament = path; }

    // True from the start of a reading until its rows are shown.
    bool isFilling() const { return m_reading != nullptr; }

protected:
    StandingsScreen(QWidget* owner, standings::Kind kind, const QString& objectName, const QString& caption);
    ~StandingsScreen() override;

    const QString& tournament() const { return m_tournament; }

    // Reads the tournament file at `path` and shows its rows and their number (0 after a failed
    // reading), then runs `then`.
    void fill(const QString& path, std::function<void()> then = {});

    void done(int result) override;

private:
    void printStandings();
    void showProgress();
    void stopReading();

    const standings::Kind m_kind;
    QString m_tournament;
    QLabel* m_title;
    QLabel* m_total;
    QLabel* m_progress;
    QTimer* m_progressTimer;
    QThread* m_reading = nullptr;
    std::shared_ptr<standings::Progress> m_readingProgress;
    qint64 m_entriesInFile = 0;
};
