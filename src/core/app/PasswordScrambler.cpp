#include "app/PasswordScrambler.h"

#include "text/TextRules.h"

namespace passwordScrambler {
namespace {

constexpr quint16 startKey = 2938;
constexpr quint16 multiplier = 31649;
constexpr quint16 additive = 35917;

quint16 nextKey(quint16 key, quint8 storedByte)
{
    return quint16(additive - quint16(key + storedByte) * multiplier);
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

}  // namespace

QString encode(const QString& password)
{
    static const char digits[] = "0123456789ABCDEF";
    QString hex;
    hex.reserve(password.size() * 2);
    quint16 key = startKey;
    for (QChar ch : password) {
        const quint8 b = quint8(ch.unicode() & 0xFF) ^ quint8(key >> 8);
        hex.append(QLatin1Char(digits[b >> 4]));
        hex.append(QLatin1Char(digits[b & 0x0F]));
        key = nextKey(key, b);
    }
    return hex;
}

std::optional<QString> decode(const QString& hex)
{
    const qsizetype n = hex.size() / 2;
    QString text;
    text.reserve(n);
    quint16 key = startKey;
    for (qsizetype i = 0; i < n; ++i) {
        const int high = hexDigit(hex.at(2 * i));
        const int low = hexDigit(hex.at(2 * i + 1));
        if (high < 0 || low < 0)
            return std::nullopt;
        const quint8 b = quint8(high * 16 + low);
        text.append(QChar(char16_t(b ^ quint8(key >> 8))));
        key = nextKey(key, b);
    }
    return text;
}

}  // namespace passwordScrambler

QString normalisedPassword(const QString& typed)
{
    return trimControls(upperAsciiLetters(typed));
}
