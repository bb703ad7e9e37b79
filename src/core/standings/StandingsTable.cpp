#include "standings/StandingsTable.h"

#include "output/ArchiveScan.h"
#include "storage/Cp1252.h"
#include "storage/TournamentRecord.h"
#include "tournament/Points.h"

#include <algorithm>
#include <cstring>
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

// The field's text as stored (up to its zero, or all N + 1 bytes without one), less the blanks
// and controls around it that every row drops.
QByteArrayView trimmedField(QByteArrayView record, FieldAt at)
{
    const char* start = record.data() + at.offset;
    const void* zero = std::memchr(start, '\0', std::size_t(at.capacity) + 1);
    QByteArrayView text(start, zero ? static_cast<const char*>(zero) : start + at.capacity + 1);
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.isEmpty() && blank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && blank(text.back()))
        text.chop(1);
    return text;
}

// The row order compares texts unit by unit after folding a to z; the same on the stored bytes.
char16_t folded(char byte)
{
    const char16_t unit = cp1252::unit(byte);
    return unit >= u'a' && unit <= u'z' ? char16_t(unit - 32) : unit;
}

// A column as the row shows it: cut or padded with blanks to `width`.
int compareColumn(QByteArrayView a, QByteArrayView b, qsizetype width)
{
    for (qsizetype i = 0; i < width; ++i) {
        const char16_t x = i < a.size() ? folded(a[i]) : u' ';
        const char16_t y = i < b.size() ? folded(b[i]) : u' ';
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

// The last column, as long as it is: a prefix comes first.
int compareLast(QByteArrayView a, QByteArrayView b)
{
    const int common = compareColumn(a, b, std::min(a.size(), b.size()));
    if (common != 0 || a.size() == b.size())
        return common;
    return a.size() < b.size() ? -1 : 1;
}

struct Cancelled : std::exception {
    const char* what() const noexcept override { return "cancelled"; }
};

}  // namespace

Table Table::load(Kind kind, const QString& path, Progress* progress)
{
    Table table(kind);
    table.m_error = archiveScan::visit(path, TournamentRecord::Size, [&](qint64 position, QByteArrayView record) {
        if (progress) {
            if (progress->cancelled.load(std::memory_order_relaxed))
                throw Cancelled();
            progress->entriesRead.store(position, std::memory_order_relaxed);
        }
        table.add(position, record);
    });
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
    Packed packed{position, m_bytes.size(), {}};
    for (int i = 0; i < FieldCount; ++i) {
        packed.length[i] = quint16(fields[i].size());
        m_bytes.append(fields[i]);
    }
    m_entries.push_back(packed);
}

QByteArrayView Table::field(const Packed& entry, Field field) const
{
    qsizetype offset = entry.offset;
    for (int i = 0; i < field; ++i)
        offset += entry.length[i];
    return QByteArrayView(m_bytes).sliced(offset, entry.length[field]);
}

Entry Table::entry(const Packed& packed) const
{
    return {packed.position, cp1252::decode(field(packed, Name)), cp1252::decode(field(packed, Contact)),
            cp1252::decode(field(packed, Notes)), cp1252::decode(field(packed, Points))};
}

QString Table::text(qsizetype row) const
{
    const Entry shown = entry(m_entries[m_order.at(std::size_t(row))]);
    return m_kind == Kind::Merit ? meritRow(row + 1, shown) : alphabeticalRow(shown);
}

qint64 Table::position(qsizetype row) const
{
    return m_entries[m_order.at(std::size_t(row))].position;
}

void Table::sortByMerit()
{
    // Entries whose points are a number by value, highest first; then the others. Both in file
    // order where nothing else decides.
    struct Ranked {
        double value;
        quint32 entry;
    };
    std::vector<Ranked> ranked;
    std::vector<quint32> unranked;
    ranked.reserve(m_entries.size());
    for (quint32 i = 0; i < m_entries.size(); ++i) {
        if (const std::optional<double> value = pointsValue(field(m_entries[i], Points)))
            ranked.push_back({*value, i});
        else
            unranked.push_back(i);
    }
    std::sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        return a.value != b.value ? a.value > b.value : a.entry < b.entry;
    });
    m_order.clear();
    m_order.reserve(m_entries.size());
    for (const Ranked& entry : ranked)
        m_order.push_back(entry.entry);
    m_order.insert(m_order.end(), unranked.begin(), unranked.end());
}

void Table::sortByName()
{
    m_order.resize(m_entries.size());
    for (quint32 i = 0; i < m_order.size(); ++i)
        m_order[i] = i;
    // The columns of the alphabetical row, compared one after the other as the row text would be.
    std::sort(m_order.begin(), m_order.end(), [this](quint32 a, quint32 b) {
        const Packed& x = m_entries[a];
        const Packed& y = m_entries[b];
        int order = compareColumn(field(x, Name), field(y, Name), NameWidth);
        if (order == 0)
            order = compareColumn(field(x, Contact), field(y, Contact), AlphabeticalContactWidth);
        if (order == 0)
            order = compareColumn(field(x, Notes), field(y, Notes), NoteWidth);
        if (order == 0)
            order = compareLast(field(x, Points), field(y, Points));
        return order != 0 ? order < 0 : a < b;
    });
}

}  // namespace standings
