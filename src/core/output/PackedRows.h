#pragma once

#include "output/ListRows.h"
#include "output/RowSource.h"
#include "storage/RecordValues.h"
#include "withdrawal/WithdrawalMarks.h"

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

// A record list read compactly, for archives of tens of thousands of records: the shown fields of
// each listed record are kept as stored bytes one after another in one buffer, the rows are sorted
// on those bytes (storedOrder), and a row's text is made only when it is drawn, printed or searched.
class PackedRows : public RowSource {
public:
    // Whether a record belongs on the list, seen in its stored bytes; asked once for each record,
    // in file order.
    using Accept = std::function<bool(QByteArrayView record)>;
    // The same with the record's position, for lists that keep something per record.
    using AcceptAt = std::function<bool(qint64 position, QByteArrayView record)>;

    // Reads the archive at `path` in file order (creating it empty when missing, as every list
    // does), keeps the records `accept` lets through (every record when it is empty) and sorts
    // their rows into the list order, equal rows in file order. A failure ends the reading and
    // keeps the rows read before it; error() tells what it was. Withdrawn records are left out, or
    // listed with their note after the row (withdrawnOn() tells their day); `accept` never sees
    // the ones left out.
    static std::shared_ptr<PackedRows> read(const QString& path, const RecordFormat& format,
                                            const listRows::Layout& layout, const Accept& accept = {},
                                            withdrawal::Listing withdrawn = withdrawal::Listing::LeaveOut);
    static std::shared_ptr<PackedRows> read(const QString& path, const RecordFormat& format,
                                            const listRows::Layout& layout, const AcceptAt& accept,
                                            withdrawal::Listing withdrawn = withdrawal::Listing::LeaveOut);

    // One record's row, straight from its stored bytes, as read() would make it. Throws
    // ArchiveError for bytes that are not one record of `format`.
    static QString rowOf(const RecordFormat& format, const listRows::Layout& layout, QByteArrayView record);

    qsizetype count() const override { return qsizetype(m_order.size()); }
    QString text(qsizetype row) const override;
    qint64 position(qsizetype row) const override;
    void appendStored(qsizetype row, QByteArray& bytes) const override;
    void fetchAhead(qsizetype row) const override;
    const listRows::Layout& columns() const override { return m_layout; }
    QByteArrayView stored(qsizetype row, qsizetype column) const override;
    QDate withdrawnOn(qsizetype row) const override;

    // Empty when the whole file was read.
    QString error() const { return m_error; }

private:
    PackedRows(const RecordFormat& format, const listRows::Layout& layout);
    void add(const RecordFormat& format, qint64 position, QByteArrayView record);
    QByteArrayView field(quint32 entry, qsizetype column) const;
    void sort();

    listRows::Layout m_layout;
    std::vector<QByteArray> m_labels;   // each column's label, as stored text
    std::vector<int> m_fields;          // the format's index of each column's field
    std::vector<QByteArrayView> m_read; // one record's fields, reused
    std::vector<char> m_bytes;
    std::vector<qsizetype> m_starts;    // entry -> its first field in m_bytes
    std::vector<quint16> m_lengths;     // entry × column -> the field's trimmed length
    std::vector<qint64> m_positions;    // entry -> record position
    std::vector<quint32> m_order;       // row -> entry
    withdrawal::Marks m_marks;          // of the records listed with their note
    QString m_error;
};
