#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>

// Windows-1252, the code page of every text in the archives. Qt's own codecs only offer it with
// ICU, which the Debian build lacks, so the table lives here.
namespace cp1252 {

// One byte per character. A character the code page cannot hold becomes '?'; a surrogate pair is
// one character and so one '?'.
QByteArray encode(const QString& text);

// The same into `out`, at most `capacity` bytes (the characters that fit); returns how many.
qsizetype encodeInto(QStringView text, char* out, qsizetype capacity);

// The five bytes the code page leaves undefined (81 8D 8F 90 9D) decode to the C1 controls of the
// same value, so that any byte sequence survives decode followed by encode.
QString decode(QByteArrayView bytes);

namespace detail {
// Bytes 0x80..0x9F; every other byte is the Latin-1 character of the same value. An entry equal
// to its own byte value marks one of the undefined bytes.
inline constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
}  // namespace detail

// The character one byte decodes to (every character of the code page is one UTF-16 unit).
constexpr char16_t unit(char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x80 && value <= 0x9F ? detail::HighControls[value - 0x80] : char16_t(value);
}

}  // namespace cp1252
