#include "storage/RecordValues.h"

#include <cstring>

QByteArray RecordFormat::encodeTexts(const QList<QString>& texts) const
{
    QByteArray bytes(size, Qt::Uninitialized);
    encodeTextsInto(texts, bytes.data());
    return bytes;
}

void RecordFormat::encodeTextsInto(const QList<QString>& texts, char* record) const
{
    std::memset(record, 0, std::size_t(size));
    for (qsizetype i = 0; i < fields.size() && i < texts.size(); ++i)
        writeText(record + fields.at(i).offset, fields.at(i).capacity, encoding, texts.at(i));
}

QList<QString> RecordFormat::decodeTexts(QByteArrayView bytes) const
{
    if (bytes.size() != size)
        throw ArchiveError("record of " + std::to_string(bytes.size()) + " bytes, expected " + std::to_string(size));
    QList<QString> texts;
    texts.reserve(fields.size());
    for (const Field& field : fields)
        texts.append(readText(bytes.data() + field.offset, field.capacity, encoding));
    return texts;
}

int RecordFormat::capacityOf(const QString& name) const
{
    const int index = indexOf(name);
    return index < 0 ? -1 : fields.at(index).capacity;
}

int RecordFormat::indexOf(const QString& name) const
{
    for (int i = 0; i < fields.size(); ++i) {
        if (fields.at(i).name == name)
            return i;
    }
    return -1;
}

void RecordFormat::packInto(QByteArrayView record, QByteArray& packed) const
{
    if (record.size() != size)
        throw ArchiveError("record of " + std::to_string(record.size()) + " bytes, expected " + std::to_string(size));
    const auto textOf = [&](const Field& field) {
        return ::storedText(record.data() + field.offset, field.capacity, encoding);
    };
    qsizetype bytes = 2 * fields.size();
    for (const Field& field : fields)
        bytes += textOf(field).size();
    const qsizetype at = packed.size();
    packed.resize(at + bytes);
    char* out = packed.data() + at;
    for (const Field& field : fields) {
        const QByteArrayView text = textOf(field);
        *out++ = static_cast<char>(text.size() & 0xFF);
        *out++ = static_cast<char>(text.size() >> 8);
        std::memcpy(out, text.data(), std::size_t(text.size()));
        out += text.size();
    }
}

const char* RecordFormat::unpackInto(const char* packed, char* record) const
{
    std::memset(record, 0, std::size_t(size));
    for (const Field& field : fields) {
        const qsizetype count = static_cast<unsigned char>(packed[0]) | static_cast<unsigned char>(packed[1]) << 8;
        placeStoredText(record + field.offset, encoding, QByteArrayView(packed + 2, count));
        packed += 2 + count;
    }
    return packed;
}

QByteArrayView RecordFormat::storedText(QByteArrayView bytes, int field) const
{
    if (field < 0 || field >= fields.size())
        throw ArchiveError("record field " + std::to_string(field) + " out of range");
    QByteArrayView text;
    storedTexts(bytes, std::span<const int>(&field, 1), std::span<QByteArrayView>(&text, 1));
    return text;
}

void RecordFormat::storedTexts(QByteArrayView bytes, std::span<const int> indices, std::span<QByteArrayView> texts) const
{
    if (bytes.size() != size)
        throw ArchiveError("record of " + std::to_string(bytes.size()) + " bytes, expected " + std::to_string(size));
    for (std::size_t i = 0; i < indices.size() && i < texts.size(); ++i) {
        const int index = indices[i];
        if (index < 0 || index >= fields.size()) {
            texts[i] = {};
            continue;
        }
        const Field& field = fields[index];
        texts[i] = ::storedText(bytes.data() + field.offset, field.capacity, encoding);
    }
}
