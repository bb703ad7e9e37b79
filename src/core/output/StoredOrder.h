#pragma once

#include <QByteArrayView>

#include <array>

// The list order (listRows::orderLess: code unit by code unit after folding a to z) worked out on
// the stored Windows-1252 bytes, without making the texts: each byte has a rank, the place of its
// folded character among all 256, and texts compare rank by rank. Long lists sort this way.
namespace storedOrder {

using Ranks = std::array<quint8, 256>;
const Ranks& ranks();

// A column as a row shows it, cut or padded with blanks to `width`: below 0, 0 or above 0 as `a`
// comes before, with or after `b`.
int compareColumn(QByteArrayView a, QByteArrayView b, qsizetype width);

// The last column of a row, as long as it is: a text that is a prefix of the other comes first.
int compareLast(QByteArrayView a, QByteArrayView b);

}  // namespace storedOrder
