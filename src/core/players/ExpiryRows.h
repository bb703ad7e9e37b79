#pragma once

#include "output/PackedRows.h"
#include "output/RowSource.h"
#include "players/ExpiryList.h"
#include "withdrawal/WithdrawalMarks.h"

#include <QDate>

#include <memory>
#include <vector>

// What an expiry list screen shows: the players of the list (expired, or expiring within the
// horizon), each row marked as one or the other, how many there are of each, and the records
// left out because their date cannot be read. The rows' texts are the list's own rows; the
// table shows the mark's word before them.
class ExpiryRows : public RowSource {
public:
    // Reads the player archive at `path` (created empty when missing). A failure ends the reading
    // and keeps the rows read before it.
    static std::shared_ptr<ExpiryRows> read(const QString& path, expiryList::Kind kind, const QDate& today,
                                            int horizonDays,
                                            withdrawal::Listing withdrawn = withdrawal::Listing::LeaveOut);

    int expired() const { return m_expired; }
    int expiring() const { return m_expiring; }
    int unreadable() const { return m_unreadable; }
    QString error() const { return m_rows->error(); }

    // "Il presente riepilogo contiene 3 schede: 2 tessere scadute, 1 in scadenza entro 30 giorni."
    QString countLine() const;
    // What was left out and the first of it, by number and name; empty when nothing was.
    QString unreadableLine() const;

    // The row numbers by the tested date, the oldest first, equal dates in list order: the
    // command line's order.
    std::vector<qsizetype> byDate() const;

    qsizetype count() const override { return m_rows->count(); }
    QString text(qsizetype row) const override { return m_rows->text(row); }
    qint64 position(qsizetype row) const override { return m_rows->position(row); }
    void appendStored(qsizetype row, QByteArray& bytes) const override { m_rows->appendStored(row, bytes); }
    void fetchAhead(qsizetype row) const override { m_rows->fetchAhead(row); }
    const listRows::Layout& columns() const override { return m_columns; }
    QByteArrayView stored(qsizetype row, qsizetype column) const override { return m_rows->stored(row, column - 1); }
    RowMark mark(qsizetype row) const override;
    QDate withdrawnOn(qsizetype row) const override { return m_rows->withdrawnOn(row); }

private:
    ExpiryRows(expiryList::Kind kind, const QDate& today, int horizonDays);
    // The row's tested date as a day number.
    qint64 day(qsizetype row) const { return m_days[std::size_t(position(row) - 1)]; }

    expiryList::Kind m_kind;
    QDate m_today;
    int m_horizon;
    listRows::Layout m_columns;  // the mark, then the row's columns
    std::shared_ptr<PackedRows> m_rows;
    std::vector<qint64> m_days;  // by record position: the tested date's day, for the listed records
    int m_expired = 0;
    int m_expiring = 0;
    int m_unreadable = 0;
    qint64 m_firstUnreadable = 0;
    QString m_firstUnreadableName;
};
