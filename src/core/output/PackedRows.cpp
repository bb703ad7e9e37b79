#include "output/PackedRows.h"

#include "output/ArchiveScan.h"
#include "output/StoredOrder.h"
#include "storage/Cp1252.h"
#include "text/TextRules.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

// The first column's bytes that sort most rows on their own, as one fixed-size key per row.
constexpr qsizetype KeyWidth = 32;

// A guess at one listed record's shown bytes, for the first allocation.
constexpr std::size_t TypicalRowBytes = 96;

}  // namespace

PackedRows::PackedRows(const RecordFormat& format, const listRows::Layout& layout)
    : m_layout(layout)
    , m_read(std::size_t(layout.size()))
{
    for (const listRows::Column& column : layout)
        m_fields.push_back(format.indexOf(column.field));
}

std::shared_ptr<PackedRows> PackedRows::read(const QString& path, const RecordFormat& format,
                                             const listRows::Layout& layout, const Accept& accept)
{
    std::shared_ptr<PackedRows> rows(new PackedRows(format, layout));
    const auto expected = std::size_t(std::max<qint64>(0, QFileInfo(path).size() / std::max(1, format.size)));
    rows->m_positions.reserve(expected);
    rows->m_starts.reserve(expected);
    rows->m_lengths.reserve(expected * std::size_t(layout.size()));
    rows->m_bytes.reserve(expected * TypicalRowBytes);
    rows->m_error = archiveScan::visit(path, format.size, [&](qint64 position, QByteArrayView record) {
        if (!accept || accept(record))
            rows->add(format, position, record);
    });
    rows->sort();
    return rows;
}

void PackedRows::add(const RecordFormat& format, qint64 position, QByteArrayView record)
{
    format.storedTexts(record, m_fields, m_read);
    m_positions.push_back(position);
    m_starts.push_back(qsizetype(m_bytes.size()));
    for (QByteArrayView text : m_read) {
        text = trimControls(text);
        m_lengths.push_back(quint16(text.size()));
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
    }
}

QByteArrayView PackedRows::field(quint32 entry, qsizetype column) const
{
    const std::size_t first = std::size_t(entry) * std::size_t(m_layout.size());
    qsizetype offset = m_starts[entry];
    for (qsizetype i = 0; i < column; ++i)
        offset += m_lengths[first + std::size_t(i)];
    return QByteArrayView(m_bytes.data() + offset, m_lengths[first + std::size_t(column)]);
}

QString PackedRows::text(qsizetype row) const
{
    const quint32 entry = m_order.at(std::size_t(row));
    QStringList values;
    values.reserve(m_layout.size());
    for (qsizetype column = 0; column < m_layout.size(); ++column)
        values.append(cp1252::decode(field(entry, column)));
    return listRows::build(m_layout, values);
}

QString PackedRows::rowOf(const RecordFormat& format, const listRows::Layout& layout, QByteArrayView record)
{
    PackedRows rows(format, layout);
    rows.add(format, 1, record);
    rows.sort();
    return rows.text(0);
}

qint64 PackedRows::position(qsizetype row) const { return m_positions[m_order.at(std::size_t(row))]; }

QByteArrayView PackedRows::stored(qsizetype row, qsizetype column) const
{
    return column >= 0 && column < m_layout.size() ? field(m_order.at(std::size_t(row)), column) : QByteArrayView();
}

void PackedRows::sort()
{
    const auto entries = quint32(m_positions.size());
    m_order.resize(entries);
    std::iota(m_order.begin(), m_order.end(), 0u);
    if (m_layout.isEmpty())
        return;
    // The labels are the same in every row and the columns have fixed widths, so rows compare
    // column by column. Most differ within the first column's first bytes: those become a key
    // compared with memcmp, and the rest is compared only between equal keys.
    const qsizetype firstWidth = m_layout.front().width;
    const qsizetype keyWidth = firstWidth < 0 ? 0 : std::min(firstWidth, KeyWidth);
    const storedOrder::Ranks& rank = storedOrder::ranks();
    std::vector<quint8> keys(std::size_t(entries) * std::size_t(keyWidth));
    for (quint32 entry = 0; entry < entries; ++entry) {
        const QByteArrayView name = field(entry, 0);
        quint8* key = keys.data() + std::size_t(entry) * std::size_t(keyWidth);
        for (qsizetype at = 0; at < keyWidth; ++at)
            key[at] = at < name.size() ? rank[quint8(name[at])] : rank[' '];
    }
    std::sort(m_order.begin(), m_order.end(), [&](quint32 a, quint32 b) {
        int order = keyWidth == 0 ? 0
                                  : std::memcmp(keys.data() + std::size_t(a) * std::size_t(keyWidth),
                                                keys.data() + std::size_t(b) * std::size_t(keyWidth), std::size_t(keyWidth));
        for (qsizetype column = 0; order == 0 && column < m_layout.size(); ++column) {
            const qsizetype width = m_layout.at(column).width;
            order = width < 0 ? storedOrder::compareLast(field(a, column), field(b, column))
                              : storedOrder::compareColumn(field(a, column), field(b, column), width);
        }
        return order != 0 ? order < 0 : a < b;
    });
}
