#pragma once

#include "output/ListRows.h"

#include <QString>

// The players whose membership card or medical certificate has expired, or is about to, as the
// two expiry lists and the command line show them.
namespace expiryList {

enum class Kind { Cards, Certificates };

// The list's row, and the player record field whose date it tests (its index in the record).
const listRows::Layout& layout(Kind kind);
std::size_t testedField(Kind kind);

// The printed list's title; a horizon says how far ahead it looks.
QString printTitle(Kind kind, int horizonDays);

}  // namespace expiryList
