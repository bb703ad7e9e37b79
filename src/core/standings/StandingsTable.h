#pragma once

#include "output/RowSource.h"
#include "platform/PopulatedMemory.h"
#include "standings/Standings.h"
#include "withdrawal/WithdrawalMarks.h"

#include <QString>

#include <atomic>
#include <vector>

namespace standings {

// How far a reading has come, shared with the screen that waits for it; the screen may cancel.
struct Progress {
    std::atomic<qint64> entriesRead{0};
    std::atomic<bool> cancelled{false};
};

// One standings list read from a tournament file, compact: the four shown fields of each listed
// entry packed one after another in one buffer, and the order as entry numbers. A row's text is
// made when it is asked for; the rows are those of `read`, in the same order.
class Table : public RowSource {
public:
    // Reads the tournament file at `path`, creating it empty when it is missing. A failed (or
    // cancelled) reading gives no merit rows and the alphabetical rows read before it.
    // Withdrawn entries are left out, or listed in their place with their note after the row.
    static Table load(Kind kind, const QString& path, Progress* progress = nullptr,
                      withdrawal::Listing withdrawn = withdrawal::Listing::LeaveOut);

    qsizetype count() const override { return qsizetype(m_order.size()); }
    QString text(qsizetype row) const override;
    qint64 position(qsizetype row) const override;
    void appendStored(qsizetype row, QByteArray& bytes) const override;
    void fetchAhead(qsizetype row) const override;
    const listRows::Layout& columns() const override { return standings::columns(m_kind); }
    QByteArrayView stored(qsizetype row, qsizetype column) const override;
    QDate withdrawnOn(qsizetype row) const override;

    // Empty when the whole file was read.
    QString error() const { return m_error; }
    bool failed() const { return !m_error.isEmpty(); }

private:
    enum Field { Name, Contact, Notes, Points, FieldCount };
    struct Packed {
        qint64 position;
        qsizetype offset;               // of the first field in m_bytes
        quint16 length[FieldCount];     // the fields follow each other, trimmed
    };

    explicit Table(Kind kind) : m_kind(kind) {}
    void add(qint64 position, QByteArrayView record);
    QByteArrayView field(const Packed& entry, Field field) const;
    void sortByMerit();
    void sortByName();

    Kind m_kind;
    QString m_error;
    template <typename T>
    using Buffer = std::vector<T, populatedMemory::Allocator<T>>;
    Buffer<char> m_bytes;
    Buffer<Packed> m_entries;  // file order
    Buffer<quint32> m_order;   // row -> entry
    withdrawal::Marks m_marks;      // of the entries listed with their note
};

}  // namespace standings
