#include "storage/TextField.h"

#include "text/TextRules.h"

#include "storage/Cp1252.h"

#include <algorithm>
#include <cstring>

void writeText(char* field, int capacity, TextEncoding encoding, const QString& text)
{
    // Encoded straight into the record, then the rest of the field zeroed: many records are
    // written in one go.
    qsizetype used = 0;
    if (encoding == TextEncoding::LengthPrefixed) {
        const qsizetype length = cp1252::encodeInto(trimControls(QStringView(text)), field + 1, capacity);
        field[0] = static_cast<char>(length);
        used = length + 1;
    } else {
        used = cp1252::encodeInto(text, field, capacity);  // at most N bytes, so the terminator always fits
    }
    std::memset(field + used, 0, static_cast<std::size_t>(capacity + 1 - used));
}

QString readText(const char* field, int capacity, TextEncoding encoding)
{
    const QString text = cp1252::decode(storedText(field, capacity, encoding));
    return encoding == TextEncoding::LengthPrefixed ? trimControls(text) : text;
}

QByteArrayView storedText(const char* field, int capacity, TextEncoding encoding)
{
    if (encoding == TextEncoding::LengthPrefixed)
        return QByteArrayView(field + 1, std::min<int>(static_cast<unsigned char>(field[0]), capacity));
    const char* end = field + capacity + 1;
    return QByteArrayView(field, std::find(field, end, '\0'));
}

void placeStoredText(char* field, TextEncoding encoding, QByteArrayView bytes)
{
    if (encoding == TextEncoding::LengthPrefixed)
        *field++ = static_cast<char>(bytes.size());
    std::memcpy(field, bytes.data(), std::size_t(bytes.size()));
}
