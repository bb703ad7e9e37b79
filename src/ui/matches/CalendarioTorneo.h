#pragma once

#include "matches/CalendarFile.h"

#include <QDialog>

class CalendarModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;
class QTableView;
class QTabWidget;
class TfrmTabellone;

// A tournament's calendar: the matches by round as a table, filtered by round, team, group and
// status, with results, days, times and fields typed in place; the rules for points; the knockout
// bracket; the prints. Changes are written by Salva (calendar first, then the entries); leaving
// with changes not saved asks first.
class TfrmCalendarioTorneo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCalendarioTorneo(QWidget* owner = nullptr);

    // The tournament whose calendar to show; it is read when the screen shows.
    void setTournament(const QString& path, const QString& name);

    // Writes the changes; false when they were refused or not written (the user has been told).
    bool save();
    bool isModified() const;
    // Reads the calendar and the entries' names again, dropping changes not saved.
    void reload();

    static QString conflictQuestion();
    static QString saveQuestion();
    static QString removePlayedQuestion(int number);

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFilters(QWidget* panel);
    void buildRules(QWidget* panel);
    void fillFilters();
    void applyFilter();
    void rulesToControls();
    void controlsToRules();
    void newCalendar();
    void removeMatch();
    void print(int which);
    bool confirmLeave();

    QString m_path;
    QString m_name;
    matches::StoredCalendar m_stored;
    QStringList m_names;
    bool m_loaded = false;
    bool m_damaged = false;
    bool m_rulesChanged = false;
    bool m_showingRules = false;

    QLabel* m_title = nullptr;
    QLabel* m_info = nullptr;
    QComboBox* m_round = nullptr;
    QComboBox* m_team = nullptr;
    QComboBox* m_group = nullptr;
    QComboBox* m_status = nullptr;
    QTabWidget* m_tabs = nullptr;
    QTableView* m_table = nullptr;
    CalendarModel* m_model = nullptr;
    TfrmTabellone* m_bracket = nullptr;
    QCheckBox* m_fromResults = nullptr;
    QCheckBox* m_deduction = nullptr;
    QSpinBox* m_win = nullptr;
    QSpinBox* m_draw = nullptr;
    QSpinBox* m_loss = nullptr;
    QSpinBox* m_forfeitGoals = nullptr;
};
