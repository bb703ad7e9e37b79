#include "storage/TextField.h"

#include "text/TextRules.h"

#include "storage/Cp1252.h"

#include <QByteArray>

#include <algorithm>
#include <cstring>

void writeText(char* field, int capacity, TextEncoding encoding, const QString& text)
{
    std::memset(field, 0, static_cast<std::size_t>(capacity) + 1);
    if (encoding == TextEncoding::LengthPrefixed) {
        const QByteArray bytes = cp1252::encode(trimControls(text)).left(capacity);
        field[0] = static_cast<char>(bytes.size());
        std::memcpy(field + 1, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    } else {
        // At most N bytes, so the terminator always fits.
        const QByteArray bytes = cp1252::encode(text).left(capacity);
        std::memcpy(field, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
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
