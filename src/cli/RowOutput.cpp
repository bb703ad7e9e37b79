#include "RowOutput.h"

#include "output/RowSource.h"
#include "platform/VectorState.h"
#include "storage/Cp1252.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include <unistd.h>

namespace {

// Large enough that the writes cost nothing beside the rows, small enough to stay in the cache.
constexpr qsizetype BufferSize = qsizetype(1) << 20;
// A byte becomes at most three bytes of UTF-8; a table entry is stored as four.
constexpr qsizetype MaxPerByte = 3;
constexpr qsizetype Slack = 1;

constexpr bool isControl(char16_t unit) { return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F); }

// Each byte's UTF-8, packed: the bytes in the low three, their count in the high one.
constexpr std::uint32_t packed(char16_t unit)
{
    if (isControl(unit))
        unit = u' ';
    if (unit < 0x80)
        return (1u << 24) | unit;
    if (unit < 0x800)
        return (2u << 24) | (0xC0u | (unit >> 6)) | ((0x80u | (unit & 0x3Fu)) << 8);
    return (3u << 24) | (0xE0u | (unit >> 12)) | ((0x80u | ((unit >> 6) & 0x3Fu)) << 8)
           | ((0x80u | (unit & 0x3Fu)) << 16);
}

constexpr std::array<std::uint32_t, 256> makeTable()
{
    std::array<std::uint32_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[std::size_t(byte)] = packed(cp1252::unit(char(byte)));
    return table;
}

constexpr std::array<std::uint32_t, 256> Utf8 = makeTable();

// Whether any of eight bytes is not printable ASCII (below 0x20, or 0x7F and above): most of a
// row is blanks, labels and plain letters, copied eight at a time.
constexpr std::uint64_t Ones = 0x0101010101010101u;
constexpr std::uint64_t Highs = 0x8080808080808080u;
inline bool allPrintableAscii(std::uint64_t eight)
{
    const std::uint64_t below = (eight - Ones * 0x20) & ~eight;
    const std::uint64_t above = (eight + Ones) | eight;
    return ((below | above) & Highs) == 0;
}

char* toUtf8(QByteArrayView stored, char* out)
{
    const char* in = stored.data();
    const char* const end = in + stored.size();
    while (in != end) {
        std::uint64_t eight;
        if (end - in >= 8 && (std::memcpy(&eight, in, 8), allPrintableAscii(eight))) {
            std::memcpy(out, in, 8);
            in += 8;
            out += 8;
            continue;
        }
        const std::uint32_t bytes = Utf8[quint8(*in++)];
        std::memcpy(out, &bytes, 4);
        out += bytes >> 24;
    }
    return out;
}

}  // namespace

RowOutput::RowOutput()
    : m_buffer(std::size_t(BufferSize))
    , m_capacity(BufferSize)
    , m_end(m_buffer.data())
{
    // Writing long lists is all memory reads; see VectorState.h.
    vectorState::clear();
}

RowOutput::~RowOutput() = default;

void RowOutput::add(const RowSource& rows, qsizetype row)
{
    m_row.truncate(0);
    rows.appendStored(row, m_row);
    addLine(m_row);
}

void RowOutput::addAll(const RowSource& rows, const std::vector<qsizetype>& order)
{
    // The rows lie in memory in another order than they are written: each is fetched a few rows
    // ahead of its turn.
    constexpr qsizetype Ahead = 8;
    const qsizetype count = order.empty() ? rows.count() : qsizetype(order.size());
    const auto rowAt = [&](qsizetype i) { return order.empty() ? i : order[std::size_t(i)]; };
    for (qsizetype i = 0; i < count; ++i) {
        if (i + Ahead < count)
            rows.fetchAhead(rowAt(i + Ahead));
        add(rows, rowAt(i));
    }
}

void RowOutput::addLine(QByteArrayView stored)
{
    reserve(stored.size() * MaxPerByte + 1 + Slack);
    m_end = toUtf8(stored, m_end);
    *m_end++ = '\n';
}

void RowOutput::reserve(qsizetype bytes)
{
    if (m_end - m_buffer.data() + bytes <= m_capacity)
        return;
    write();
    if (bytes > m_capacity) {
        // A line longer than the buffer: the buffer grows for it.
        m_buffer = decltype(m_buffer)(std::size_t(bytes));
        m_capacity = bytes;
        m_end = m_buffer.data();
    }
}

void RowOutput::write()
{
    const char* from = m_buffer.data();
    while (!m_failed && from < m_end) {
        const ssize_t written = ::write(STDOUT_FILENO, from, std::size_t(m_end - from));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            m_failed = true;
        else
            from += written;
    }
    m_end = m_buffer.data();
}

bool RowOutput::finish()
{
    write();
    return !m_failed;
}
