#pragma once

#include "output/RowSource.h"

#include <Qt>

#include <memory>
#include <vector>

// A list's rows in the order of one of its columns, as a click on the column's heading asks. Only
// the order is kept: the rows stay where they are, and sorting reads their stored fields (texts
// as the lists compare them, numbers and dates by value), so 50 000 rows sort at once.
class SortedRows : public RowSource {
public:
    // `rows` in the list's own order, which is the order until sortBy().
    explicit SortedRows(std::shared_ptr<const RowSource> rows);

    // Rows with equal values keep their own order; values that are no number or no date come
    // after the others in either direction.
    void sortBy(qsizetype column, Qt::SortOrder direction);

    // Where the underlying row `row` is shown now; -1 when there is no such row.
    qsizetype shownAt(qsizetype row) const;
    // The underlying row shown at `row`.
    qsizetype underlying(qsizetype row) const { return qsizetype(m_order.at(std::size_t(row))); }

    qsizetype count() const override { return qsizetype(m_order.size()); }
    QString text(qsizetype row) const override { return m_rows->text(underlying(row)); }
    qint64 position(qsizetype row) const override { return m_rows->position(underlying(row)); }
    const listRows::Layout& columns() const override { return m_rows->columns(); }
    QByteArrayView stored(qsizetype row, qsizetype column) const override
    {
        return m_rows->stored(underlying(row), column);
    }
    qsizetype place(qsizetype row) const override { return m_rows->place(underlying(row)); }
    RowMark mark(qsizetype row) const override { return m_rows->mark(underlying(row)); }
    QDate withdrawnOn(qsizetype row) const override { return m_rows->withdrawnOn(underlying(row)); }

private:
    std::shared_ptr<const RowSource> m_rows;
    std::vector<quint32> m_order;  // shown row -> underlying row
};
