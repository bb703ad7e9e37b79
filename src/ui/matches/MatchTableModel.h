#pragma once

#include "matches/CalendarFile.h"
#include "matches/MatchEditing.h"
#include "matches/Listing.h"
#include "matches/MatchRows.h"

#include <QAbstractTableModel>
#include <QStringList>

// The calendar's matches as the table shows them, through a filter, with the changes typed on
// screen kept until they are saved. Texts are made when a row is drawn, so a calendar of a hundred
// thousand matches costs the view nothing more than a small one.
class MatchTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number, Round, Group, Date, Time, Field, Home, Away, Result, Status, ColumnCount };

    // The choices of the status column, in order; a forfeit names the side at fault.
    struct StatusChoice {
        matches::Status status;
        matches::Side atFault;
    };
    static const QList<StatusChoice>& statusChoices();
    static QString choiceText(const StatusChoice& choice);

    explicit MatchTableModel(QObject* parent = nullptr);

    // A calendar as read, and the team names by entry position; nothing is changed yet.
    void setCalendar(matches::StoredCalendar calendar, QStringList names);
    matches::StoredCalendar& stored() { return m_calendar; }
    const QStringList& names() const { return m_names; }

    void setFilter(const matches::Filter& filter);
    const matches::Filter& filter() const { return m_filter; }

    // The match shown at `row` (it must exist).
    const matches::Match& matchAt(int row) const;
    int rowOf(int number) const;  // -1 when the filter hides it

    // The changes; each returns the message that refuses it, empty once it is made.
    QString setResult(int row, const matches::TypedResult& typed);
    QString setStatus(int row, const StatusChoice& choice);
    QString setDate(int row, const QString& text);
    QString setTime(int row, const QString& text);
    void setFieldName(int row, const QString& text);
    void setTeam(int row, matches::Side side, int entry);
    void swap(int row);
    // A new match after the one at `row` (or at the end), in the same round, group and day; its row.
    int add(int row);
    void remove(int row);

    // Whether anything on screen differs from what was read or last saved.
    bool hasChanges() const;
    // The file now holds what the screen shows: nothing is changed any more.
    void markSaved();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    static const QString dateMessage;
    static const QString timeMessage;

private:
    matches::Match& working(int row);
    QString record(int row, const matches::ResultInput& input);
    void rowChanged(int row);
    void refilter();

    matches::StoredCalendar m_calendar;
    QList<matches::Match> m_saved;  // the matches as the file holds them
    QStringList m_names;
    matches::Filter m_filter;
    QList<int> m_rows;  // indexes into the calendar's matches, in the order shown
};
