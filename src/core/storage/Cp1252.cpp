#include "storage/Cp1252.h"

#include <cstring>

namespace cp1252 {
namespace {

using detail::HighControls;

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

// Whether a byte is 0x80 to 0x9F, where the code page and Latin-1 differ; eight bytes at a time,
// since whole files are decoded.
bool anyHighControl(QByteArrayView bytes)
{
    constexpr quint64 ones = 0x0101010101010101ULL;
    constexpr quint64 highs = 0x8080808080808080ULL;
    qsizetype i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        quint64 word = 0;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        const quint64 zeroWhereHighControl = (word & 0xE0E0E0E0E0E0E0E0ULL) ^ highs;
        if ((zeroWhereHighControl - ones) & ~zeroWhereHighControl & highs)
            return true;
    }
    for (; i < bytes.size(); ++i) {
        if ((static_cast<unsigned char>(bytes[i]) & 0xE0) == 0x80)
            return true;
    }
    return false;
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

QString decode(QByteArrayView bytes)
{
    // The code page is Latin-1 but for 0x80 to 0x9F: Qt's quick Latin-1 decoding, then those,
    // when there are any.
    QString text = QString::fromLatin1(bytes);
    if (!anyHighControl(bytes))
        return text;
    for (QChar& c : text) {
        if (c.unicode() >= 0x80 && c.unicode() <= 0x9F)
            c = QChar(HighControls[c.unicode() - 0x80]);
    }
    return text;
}

}  // namespace cp1252
