#include "output/PackedRows.h"

#include "output/ArchiveScan.h"
#include "output/StoredOrder.h"
#include "storage/Cp1252.h"
#include "text/TextRules.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
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
    for (const listRows::Column& column : layout) {
        m_fields.push_back(format.indexOf(column.field));
        m_labels.push_back(cp1252::encode(column.label));
    }
}

std::shared_ptr<PackedRows> PackedRows::read(const QString& path, const RecordFormat& format,
                                             const listRows::Layout& layout, const Accept& accept,
                                             withdrawal::Listing withdrawn)
{
    AcceptAt at;
    if (accept)
        at = [&accept](qint64, QByteArrayView record) { return accept(record); };
    return read(path, format, layout, at, withdrawn);
}

std::shared_ptr<PackedRows> PackedRows::read(const QString& path, const RecordFormat& format,
                                             const listRows::Layout& layout, const AcceptAt& accept,
                                             withdrawal::Listing withdrawn)
{
    std::shared_ptr<PackedRows> rows(new PackedRows(format, layout));
    const auto expected = std::size_t(std::max<qint64>(0, QFileInfo(path).size() / std::max(1, format.size)));
    rows->m_positions.reserve(expected);
    rows->m_starts.reserve(expected);
    rows->m_lengths.reserve(expected * std::size_t(layout.size()));
    rows->m_bytes.reserve(expected * TypicalRowBytes);
    std::vector<int> touched;
    for (const int field : rows->m_fields) {
        if (field >= 0)
            touched.push_back(format.fields[field].offset);
    }
    if (withdrawn == withdrawal::Listing::Mark) {
        try {
            rows->m_marks = withdrawal::read(path);
        } catch (const std::exception& failure) {
            rows->m_error = QString::fromLocal8Bit(failure.what());
        }
    }
    const QString error = archiveScan::visit(path, format.size, [&](qint64 position, QByteArrayView record) {
        if (!accept || accept(position, record))
            rows->add(format, position, record);
    }, touched, withdrawn == withdrawal::Listing::Mark ? archiveScan::Withdrawn::Included : archiveScan::Withdrawn::LeftOut);
    if (rows->m_error.isEmpty())
        rows->m_error = error;
    rows->sort();
    return rows;
}

void PackedRows::add(const RecordFormat& format, qint64 position, QByteArrayView record)
{
    format.storedTexts(record, m_fields, m_read);
    m_positions.push_back(position);
    const std::size_t start = m_bytes.size();
    m_starts.push_back(qsizetype(start));
    std::size_t size = 0;
    for (QByteArrayView& text : m_read) {
        text = trimControls(text);
        m_lengths.push_back(quint16(text.size()));
        size += std::size_t(text.size());
    }
    m_bytes.resize(start + size);
    char* out = m_bytes.data() + start;
    for (const QByteArrayView text : m_read)
        out = std::copy(text.begin(), text.end(), out);
}

QByteArrayView PackedRows::field(quint32 entry, qsizetype column) const
{
    const std::size_t first = std::size_t(entry) * std::size_t(m_layout.size());
    qsizetype offset = m_starts[entry];
    for (qsizetype i = 0; i < column; ++i)
        offset += m_lengths[first + std::size_t(i)];
    return QByteArrayView(m_bytes.data() + offset, m_lengths[first + std::size_t(column)]);
}

void PackedRows::appendStored(qsizetype row, QByteArray& bytes) const
{
    const quint32 entry = m_order.at(std::size_t(row));
    const std::size_t columns = std::size_t(m_layout.size());
    const quint16* lengths = m_lengths.data() + std::size_t(entry) * columns;
    const char* field = m_bytes.data() + m_starts[entry];
    // The fields are stored trimmed, one after another: the row's size is known before it is made.
    qsizetype size = 0;
    for (std::size_t column = 0; column < columns; ++column) {
        size += m_labels[column].size() + listRows::columnSize(lengths[column], m_layout.at(qsizetype(column)).width);
    }
    const qsizetype at = bytes.size();
    bytes.resize(at + size);
    char* out = bytes.data() + at;
    for (std::size_t column = 0; column < columns; ++column) {
        const QByteArray& label = m_labels[column];
        out = std::copy(label.begin(), label.end(), out);
        out = listRows::writeColumn(out, QByteArrayView(field, lengths[column]), m_layout.at(qsizetype(column)).width);
        field += lengths[column];
    }
    if (!m_marks.isEmpty()) {
        if (const QDate day = m_marks.date(m_positions[entry]); day.isValid())
            bytes.append(cp1252::encode(withdrawal::rowNote(day)));
    }
}

QDate PackedRows::withdrawnOn(qsizetype row) const { return m_marks.date(position(row)); }

void PackedRows::fetchAhead(qsizetype row) const
{
    const quint32 entry = m_order[std::size_t(row)];
    __builtin_prefetch(m_bytes.data() + m_starts[entry]);
    __builtin_prefetch(&m_lengths[std::size_t(entry) * std::size_t(m_layout.size())]);
    __builtin_prefetch(&m_positions[entry]);
}

QString PackedRows::text(qsizetype row) const
{
    QByteArray bytes;
    appendStored(row, bytes);
    return cp1252::decode(bytes);
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
    // column by column. Most differ within the first column's first bytes: their ranks become a
    // key of four whole words kept beside the entry, and the rest is compared only between equal
    // keys.
    struct Keyed {
        std::array<quint64, KeyWidth / 8> key;
        quint32 entry;
    };
    const qsizetype firstWidth = m_layout.front().width;
    const qsizetype keyWidth = firstWidth < 0 ? 0 : std::min(firstWidth, KeyWidth);
    const storedOrder::Ranks& rank = storedOrder::ranks();
    std::vector<Keyed> keyed(entries);
    for (quint32 entry = 0; entry < entries; ++entry) {
        const QByteArrayView name = field(entry, 0);
        Keyed& item = keyed[entry];
        item.entry = entry;
        item.key = {};
        for (qsizetype at = 0; at < keyWidth; ++at) {
            const quint64 ranked = at < name.size() ? rank[quint8(name[at])] : rank[' '];
            item.key[std::size_t(at / 8)] |= ranked << (56 - 8 * (at % 8));
        }
    }
    std::sort(keyed.begin(), keyed.end(), [&](const Keyed& x, const Keyed& y) {
        for (std::size_t word = 0; word < x.key.size(); ++word) {
            if (x.key[word] != y.key[word])
                return x.key[word] < y.key[word];
        }
        const quint32 a = x.entry;
        const quint32 b = y.entry;
        int order = 0;
        for (qsizetype column = 0; order == 0 && column < m_layout.size(); ++column) {
            const qsizetype width = m_layout.at(column).width;
            order = width < 0 ? storedOrder::compareLast(field(a, column), field(b, column))
                              : storedOrder::compareColumn(field(a, column), field(b, column), width);
        }
        return order != 0 ? order < 0 : a < b;
    });
    for (quint32 row = 0; row < entries; ++row)
        m_order[row] = keyed[row].entry;
}
