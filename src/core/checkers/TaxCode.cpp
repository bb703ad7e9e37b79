#include "checkers/TaxCode.h"

#include "text/TextRules.h"

#include <array>
#include <optional>

namespace {

// The published tables, indexed from '0' to 'Z': the digits, the seven signs between them and
// the letters (the signs are worth 0 in both).
constexpr char first = '0';
constexpr char last = 'Z';
constexpr std::array<int, 26> oddLetters = {1,  0,  5,  7,  9,  13, 15, 17, 19, 21, 2,  4,  18,
                                            20, 11, 3,  6,  8,  12, 14, 16, 10, 22, 25, 24, 23};
constexpr std::array<int, 10> oddDigits = {1, 0, 5, 7, 9, 13, 15, 17, 19, 21};

std::optional<int> value(QChar c, bool oddPosition)
{
    const char16_t u = c.unicode();
    if (u < first || u > last)
        return std::nullopt;
    if (u >= '0' && u <= '9')
        return oddPosition ? oddDigits[u - '0'] : u - '0';
    if (u >= 'A' && u <= 'Z')
        return oddPosition ? oddLetters[u - 'A'] : u - 'A';
    return 0;
}

}  // namespace

taxCode::Verdict taxCode::check(const QString& code)
{
    const QString upper = upperAsciiLetters(code);
    if (upper.size() != 16)
        return Verdict::WrongLength;
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        // Positions count from 1: index 0 is the first, odd, position.
        const std::optional<int> v = value(upper.at(i), i % 2 == 0);
        if (!v)
            return Verdict::Wrong;
        sum += *v;
    }
    return upper.at(15) == QChar(u'A' + sum % 26) ? Verdict::Valid : Verdict::Wrong;
}
