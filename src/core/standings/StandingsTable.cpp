#include "standings/StandingsTable.h"

#include "output/ArchiveScan.h"
#include "output/StoredOrder.h"
#include "storage/Cp1252.h"
#include "storage/TournamentRecord.h"
#include "text/TextRules.h"
#include "tournament/Points.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <exception>

namespace standings {
namespace {

constexpr auto Layout = TournamentRecord::Layout;

// Where a shown field lies in a record; the long match list between them is never read.
struct FieldAt {
    int offset;
    int capacity;
};
constexpr FieldAt fieldAt(std::string_view name)
{
    return {Layout.offsetOf(name), Layout.capacityOf(name)};
}
constexpr FieldAt ShownFields[] = {fieldAt("Concorrente"), fieldAt("Responsabile"), fieldAt("Note"),
                                   fieldAt("Punteggio")};
constexpr int ShownOffsets[] = {ShownFields[0].offset, ShownFields[1].offset, ShownFields[2].offset, ShownFields[3].offset};

// The field's text as stored (up to its zero, or all N + 1 bytes without one), less the blanks
// and controls around it that every row drops.
QByteArrayView trimmedField(QByteArrayView record, FieldAt at)
{
    return trimControls(storedText(record.data() + at.offset, at.capacity, Layout.encoding));
}

// The four shown fields of a typical entry together; a guess only, for the first allocation.
constexpr std::size_t TypicalEntryBytes = 64;

struct Cancelled : std::exception {
    const char* what() const noexcept override { return "cancelled"; }
};

}  // namespace

Table Table::load(Kind kind, const QString& path, Progress* progress, withdrawal::Listing withdrawn)
{
    Table table(kind);
    if (withdrawn == withdrawal::Listing::Mark) {
        try {
            table.m_marks = withdrawal::read(path);
        } catch (const std::exception& failure) {
            table.m_error = QString::fromLocal8Bit(failure.what());
        }
    }
    // Room for every entry the file holds, so the buffers grow once.
    const auto expected = std::size_t(std::max<qint64>(0, QFileInfo(path).size() / TournamentRecord::Size));
    table.m_entries.reserve(expected);
    table.m_bytes.reserve(expected * TypicalEntryBytes);
    const QString error = archiveScan::visit(path, TournamentRecord::Size, [&](qint64 position, QByteArrayView record) {
        if (progress) {
            if (progress->cancelled.load(std::memory_order_relaxed))
                throw Cancelled();
            progress->entriesRead.store(position, std::memory_order_relaxed);
        }
        table.add(position, record);
    }, ShownOffsets, withdrawn == withdrawal::Listing::Mark ? archiveScan::Withdrawn::Included : archiveScan::Withdrawn::LeftOut);
    if (table.m_error.isEmpty())
        table.m_error = error;
    if (kind == Kind::Merit) {
        // The order needs every entry.
        if (table.failed())
            table.m_entries.clear();
        table.sortByMerit();
    } else {
        table.sortByName();
    }
    return table;
}

void Table::add(qint64 position, QByteArrayView record)
{
    QByteArrayView fields[FieldCount];
    for (int i = 0; i < FieldCount; ++i)
        fields[i] = trimmedField(record, ShownFields[i]);
    // Entries without points have no place in the alphabetical standings.
    if (m_kind == Kind::Alphabetical && fields[Points].isEmpty())
        return;
    Packed packed{position, qsizetype(m_bytes.size()), {}};
    for (int i = 0; i < FieldCount; ++i) {
        packed.length[i] = quint16(fields[i].size());
        m_bytes.insert(m_bytes.end(), fields[i].begin(), fields[i].end());
    }
    m_entries.push_back(packed);
}

QByteArrayView Table::field(const Packed& entry, Field field) const
{
    qsizetype offset = entry.offset;
    for (int i = 0; i < field; ++i)
        offset += entry.length[i];
    return QByteArrayView(m_bytes.data() + offset, entry.length[field]);
}

void Table::appendStored(qsizetype row, QByteArray& bytes) const
{
    const Packed& entry = m_entries[m_order.at(std::size_t(row))];
    appendRow(bytes, m_kind, row + 1, {field(entry, Name), field(entry, Contact), field(entry, Notes), field(entry, Points)});
    if (const QDate day = m_marks.date(entry.position); day.isValid())
        bytes.append(cp1252::encode(withdrawal::rowNote(day)));
}

QDate Table::withdrawnOn(qsizetype row) const { return m_marks.date(position(row)); }

void Table::fetchAhead(qsizetype row) const
{
    const Packed& entry = m_entries[m_order[std::size_t(row)]];
    __builtin_prefetch(m_bytes.data() + entry.offset);
    // The entries lie in file order, the rows in another: the entry of a row further on is
    // fetched now, so that its fields can be fetched when that row's turn to be fetched comes.
    constexpr std::size_t Further = 8;
    if (std::size_t(row) + Further < m_order.size())
        __builtin_prefetch(&m_entries[m_order[std::size_t(row) + Further]]);
}

QString Table::text(qsizetype row) const
{
    QByteArray bytes;
    appendStored(row, bytes);
    return cp1252::decode(bytes);
}

qint64 Table::position(qsizetype row) const
{
    return m_entries[m_order.at(std::size_t(row))].position;
}

QByteArrayView Table::stored(qsizetype row, qsizetype column) const
{
    // The columns after the merit standings' place are the four fields, in their order.
    const qsizetype shown = m_kind == Kind::Merit ? column - 1 : column;
    if (shown < 0 || shown >= FieldCount)
        return {};
    return field(m_entries[m_order.at(std::size_t(row))], Field(shown));
}

void Table::sortByMerit()
{
    // Entries whose points are a number by value, highest first; then the others. Both in file
    // order where nothing else decides: the entry number breaks ties, so an ordinary sort keeps
    // it without the stable sort's buffer.
    struct Ranked {
        double value;
        quint32 entry;
    };
    Buffer<Ranked> ranked;
    Buffer<quint32> unranked;
    ranked.reserve(m_entries.size());
    for (quint32 i = 0; i < m_entries.size(); ++i) {
        if (const std::optional<double> value = pointsValue(field(m_entries[i], Points)))
            ranked.push_back({*value, i});
        else
            unranked.push_back(i);
    }
    std::sort(ranked.begin(), ranked.end(),
              [](const Ranked& a, const Ranked& b) { return a.value != b.value ? a.value > b.value : a.entry < b.entry; });
    m_order.clear();
    m_order.reserve(m_entries.size());
    for (const Ranked& entry : ranked)
        m_order.push_back(entry.entry);
    m_order.insert(m_order.end(), unranked.begin(), unranked.end());
}

void Table::sortByName()
{
    // The name column as rank bytes, one fixed-size key per entry: most entries differ there,
    // and the rest of the row is compared only between equal names.
    using NameKey = std::array<quint8, NameWidth>;
    const storedOrder::Ranks& rank = storedOrder::ranks();
    std::vector<NameKey> keys(m_entries.size());
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const QByteArrayView name = field(m_entries[i], Name);
        for (qsizetype at = 0; at < NameWidth; ++at)
            keys[i][std::size_t(at)] = at < name.size() ? rank[quint8(name[at])] : rank[' '];
    }
    m_order.resize(m_entries.size());
    std::iota(m_order.begin(), m_order.end(), 0u);
    std::sort(m_order.begin(), m_order.end(), [&](quint32 a, quint32 b) {
        int order = std::memcmp(keys[a].data(), keys[b].data(), NameWidth);
        if (order == 0) {
            const Packed& x = m_entries[a];
            const Packed& y = m_entries[b];
            order = storedOrder::compareColumn(field(x, Contact), field(y, Contact), AlphabeticalContactWidth);
            if (order == 0)
                order = storedOrder::compareColumn(field(x, Notes), field(y, Notes), NoteWidth);
            if (order == 0)
                order = storedOrder::compareLast(field(x, Points), field(y, Points));
        }
        return order != 0 ? order < 0 : a < b;
    });
}

}  // namespace standings
