#pragma once

#include "matches/Listing.h"
#include "matches/MatchRows.h"

#include <QDialog>

class MatchTableModel;
class QComboBox;
class QLabel;
class QTableView;
class QThread;

// A tournament's calendar: the matches by round, filtered by round, team, group and status, with
// results, statuses, dates, times, fields and teams typed in the table. Nothing reaches the file
// until Salva; leaving with changes asks first, and a match another station saved meanwhile is a
// conflict, as for an entry.
class TfrmCalendarioGare : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCalendarioGare(QWidget* owner);
    ~TfrmCalendarioGare() override;

    // The tournament whose calendar to show, and its name; the reading starts at once, and the
    // table fills while the window is already up.
    void setTournament(const QString& path, const QString& name);

    MatchTableModel* model() const { return m_model; }
    bool isReading() const { return m_reading != nullptr; }

    // The commands of the toolbar.
    bool save();
    void addMatch();
    void swapMatch();
    void removeMatch();
    void newCalendar();
    // Before the matches on screen are left or replaced: with changes, asks whether to save them.
    // True to go on (saved, or not wanted), false to stay.
    bool confirmLeave();

    static const QString leaveQuestion;
    static const QString conflictQuestion;
    static QString removePlayedQuestion(int number);

Q_SIGNALS:
    // The calendar file was written: what the entries show may have changed.
    void saved();

protected:
    void done(int result) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildToolbar(QWidget* panel);
    void buildFilters(QWidget* panel);
    void read();
    void fillFilters();
    void applyFilter();
    void showCount();
    int currentRow() const;
    void stopReading();

    QString m_path;
    QString m_name;
    MatchTableModel* m_model;
    QTableView* m_table = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_info = nullptr;
    QLabel* m_reading_label = nullptr;
    QComboBox* m_round = nullptr;
    QComboBox* m_team = nullptr;
    QComboBox* m_group = nullptr;
    QComboBox* m_status = nullptr;
    QThread* m_reading = nullptr;
};
