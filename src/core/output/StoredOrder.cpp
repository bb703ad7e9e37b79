#include "output/StoredOrder.h"

#include "storage/Cp1252.h"

#include <algorithm>
#include <numeric>

namespace storedOrder {

const Ranks& ranks()
{
    static const Ranks table = [] {
        const auto folded = [](int byte) {
            const char16_t unit = cp1252::unit(char(byte));
            return unit >= u'a' && unit <= u'z' ? char16_t(unit - 32) : unit;
        };
        std::array<int, 256> bytes;
        std::iota(bytes.begin(), bytes.end(), 0);
        std::sort(bytes.begin(), bytes.end(), [&](int a, int b) { return folded(a) < folded(b); });
        Ranks result{};
        int rank = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (i > 0 && folded(bytes[i]) != folded(bytes[i - 1]))
                ++rank;
            result[std::size_t(bytes[i])] = quint8(rank);
        }
        return result;
    }();
    return table;
}

int compareColumn(QByteArrayView a, QByteArrayView b, qsizetype width)
{
    const Ranks& rank = ranks();
    const quint8 blank = rank[' '];
    for (qsizetype i = 0; i < width; ++i) {
        const quint8 x = i < a.size() ? rank[quint8(a[i])] : blank;
        const quint8 y = i < b.size() ? rank[quint8(b[i])] : blank;
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

int compareLast(QByteArrayView a, QByteArrayView b)
{
    const int common = compareColumn(a, b, std::min(a.size(), b.size()));
    if (common != 0 || a.size() == b.size())
        return common;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace storedOrder
