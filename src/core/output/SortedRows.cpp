#include "output/SortedRows.h"

#include "app/Formats.h"
#include "output/StoredOrder.h"
#include "tournament/Points.h"

#include <algorithm>
#include <numeric>
#include <optional>

namespace {

// Orders `order` by the keys of its rows; a missing key goes last whichever the direction.
template <typename Key, typename Less>
void orderBy(std::vector<quint32>& order, const std::vector<std::optional<Key>>& keys, Qt::SortOrder direction,
             Less less)
{
    std::stable_sort(order.begin(), order.end(), [&](quint32 a, quint32 b) {
        const std::optional<Key>& x = keys[a];
        const std::optional<Key>& y = keys[b];
        if (!x || !y)
            return x.has_value() && !y.has_value();
        return direction == Qt::AscendingOrder ? less(*x, *y) : less(*y, *x);
    });
}

template <typename Key, typename Read>
std::vector<std::optional<Key>> keysOf(const RowSource& rows, Read read)
{
    std::vector<std::optional<Key>> keys(std::size_t(rows.count()));
    for (qsizetype row = 0; row < rows.count(); ++row)
        keys[std::size_t(row)] = read(row);
    return keys;
}

}  // namespace

SortedRows::SortedRows(std::shared_ptr<const RowSource> rows)
    : m_rows(std::move(rows))
    , m_order(std::size_t(m_rows->count()))
{
    std::iota(m_order.begin(), m_order.end(), 0u);
}

void SortedRows::sortBy(qsizetype column, Qt::SortOrder direction)
{
    std::iota(m_order.begin(), m_order.end(), 0u);
    const listRows::Layout& layout = m_rows->columns();
    if (column < 0 || column >= layout.size())
        return;
    const RowSource& rows = *m_rows;
    const auto less = [](const auto& a, const auto& b) { return a < b; };
    switch (layout.at(column).values) {
    case listRows::Values::Text:
        orderBy(m_order, keysOf<QByteArrayView>(rows, [&](qsizetype row) { return rows.stored(row, column); }),
                direction, [](QByteArrayView a, QByteArrayView b) { return storedOrder::compareLast(a, b) < 0; });
        break;
    case listRows::Values::Number:
        orderBy(m_order, keysOf<double>(rows, [&](qsizetype row) { return pointsValue(rows.stored(row, column)); }),
                direction, less);
        break;
    case listRows::Values::Date:
        orderBy(m_order,
                keysOf<qint64>(rows,
                               [&](qsizetype row) -> std::optional<qint64> {
                                   const QDate date = formats::dateFromText(rows.stored(row, column));
                                   return date.isValid() ? std::optional<qint64>(date.toJulianDay()) : std::nullopt;
                               }),
                direction, less);
        break;
    case listRows::Values::Place:
        orderBy(m_order, keysOf<qsizetype>(rows, [&](qsizetype row) { return rows.place(row); }), direction, less);
        break;
    case listRows::Values::Mark:
        orderBy(m_order, keysOf<int>(rows, [&](qsizetype row) { return int(rows.mark(row).tone); }), direction, less);
        break;
    }
}

qsizetype SortedRows::shownAt(qsizetype row) const
{
    const auto found = std::find(m_order.begin(), m_order.end(), quint32(row));
    return found == m_order.end() ? -1 : qsizetype(found - m_order.begin());
}
