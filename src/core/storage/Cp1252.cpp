#include "storage/Cp1252.h"

#include <array>

namespace cp1252 {
namespace {

// Bytes 0x80..0x9F; every other byte is the Latin-1 character of the same value. An entry equal
// to its own byte value marks one of the undefined bytes.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char Replacement = '?';

char encodeUnit(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    if (unit <= 0x9F)  // a C1 control: only the undefined bytes keep their value
        return HighControls[unit - 0x80] == unit ? static_cast<char>(unit) : Replacement;
    for (std::size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] == unit)
            return static_cast<char>(0x80 + i);
    }
    return Replacement;
}

}  // namespace

qsizetype encodeInto(QStringView text, char* out, qsizetype capacity)
{
    char* const start = out;
    char* const end = out + capacity;
    for (qsizetype i = 0; i < text.size() && out < end; ++i) {
        const QChar unit = text.at(i);
        if (unit.unicode() < 0x80) {  // most of every text, without the checks below
            *out++ = char(unit.unicode());
            continue;
        }
        if (unit.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            *out++ = Replacement;
            ++i;
        } else if (unit.isSurrogate()) {
            *out++ = Replacement;
        } else {
            *out++ = encodeUnit(unit.unicode());
        }
    }
    return out - start;
}

QByteArray encode(const QString& text)
{
    // Written in place: exports encode whole documents of many megabytes.
    QByteArray bytes(text.size(), Qt::Uninitialized);
    bytes.truncate(encodeInto(text, bytes.data(), bytes.size()));
    return bytes;
}

char16_t unit(char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x80 && value <= 0x9F ? HighControls[value - 0x80] : char16_t(value);
}

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes)
        *out++ = QChar(unit(byte));
    return text;
}

}  // namespace cp1252
