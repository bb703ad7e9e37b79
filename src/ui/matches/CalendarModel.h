#pragma once

#include "matches/Listing.h"

#include <QAbstractTableModel>
#include <QSet>

// The matches of a calendar as table rows, in calendar order, through a filter; the result, the
// status, the day, the time and the field are typed in place. Rows are looked up when drawn, so a
// calendar of 100 000 matches shows at once.
class CalendarModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number, Round, Group, Date, Time, Field, Home, Away, HomeGoals, AwayGoals, Penalties, State, ColumnCount };

    explicit CalendarModel(QObject* parent = nullptr);

    // The calendar shown and edited in place; it must outlive the model or be set again.
    void setCalendar(matches::Calendar* calendar, const QStringList& names, bool editable);
    void setFilter(const matches::Filter& filter);
    const matches::Match* matchAt(int row) const;

    // The numbers of the matches changed since setCalendar(); removals count as changes.
    const QSet<int>& changed() const { return m_changed; }
    void clearChanged() { m_changed.clear(); }

    // Home and away swapped, with everything that belongs to each side; false for a rest.
    bool swapSides(int row);
    // The match taken out of the calendar.
    void removeMatch(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // A typed value that was not taken, with the message for the user.
    void refused(const QString& message);
    void edited();

private:
    void rebuild();

    matches::Calendar* m_calendar = nullptr;
    QStringList m_names;
    matches::Filter m_filter;
    QList<int> m_rows;  // indexes into the calendar's matches
    QSet<int> m_changed;
    bool m_editable = false;
};
