#pragma once

#include <QString>
#include <optional>

// The reversible scrambling that keeps the access password out of plain sight in its store.
// Each character (its low 8 bits) is XOR-ed with a running 16-bit key and written as two
// uppercase hexadecimal digits.
namespace passwordScrambler {

QString encode(const QString& password);
// An odd last digit is ignored; a pair that is not hexadecimal makes the whole decoding fail.
std::optional<QString> decode(const QString& hex);

}  // namespace passwordScrambler

// The password as it is stored and compared: letters a-z upper-cased, other characters kept,
// characters of code 32 or below removed at both ends.
QString normalisedPassword(const QString& typed);
