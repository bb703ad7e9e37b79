#pragma once

#include "matches/CalendarFile.h"
#include "standings/CompleteStandings.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

// The complete standings of a tournament with a calendar: a group, the whole table or its home or
// away half, or the cross table; sortable by any column and opened in the standings' order, the
// reason for each place not decided by points on its row (tooltip) and under the table. A draw by
// lot the standings need is made when they are first shown and kept with the calendar. Prints on
// A4 and publishes the tournament's page beside the tournament file.
class TfrmClassificaCompleta : public QDialog {
    Q_OBJECT
public:
    explicit TfrmClassificaCompleta(QWidget* owner = nullptr);

    // Reads the tournament and its calendar; false (after saying why) when there is nothing to show.
    bool setTournament(const QString& path);

    // The folder "Pubblica" writes: "Coppa Estate - pagina web" beside "Coppa Estate.vai".
    static QString publishFolder(const QString& tournamentPath);

private:
    void showTable();
    void printStandings();
    void publishPage();

    QString m_path;
    matches::StoredCalendar m_calendar;
    QStringList m_names;
    matches::Withdrawn m_withdrawn;  // read with the calendar
    QStringList m_printed;  // the lines of the table shown, as printed
    QComboBox* m_group;
    QComboBox* m_view;
    QLabel* m_title;
    QLabel* m_reasons;
    QTableView* m_table;
    QStandardItemModel* m_model;
    QSortFilterProxyModel* m_sorted;
};
