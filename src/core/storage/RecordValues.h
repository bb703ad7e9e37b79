#pragma once

#include "storage/RecordLayout.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <span>

// A record as named texts, for code that works with any of the three formats without knowing
// their structs (the record forms of the editors). Field names are the layout's.
using RecordValues = QHash<QString, QString>;

// One record format seen through its field names.
struct RecordFormat {
    struct Field {
        QString name;
        int capacity = 0;
        int offset = 0;  // of the field's N + 1 bytes within the record
    };

    int size = 0;
    TextEncoding encoding = TextEncoding::LengthPrefixed;
    QList<Field> fields;
    // Throw ArchiveError for bytes of the wrong size.
    std::function<RecordValues(QByteArrayView bytes)> decode;
    // Fields missing from `values` are stored empty.
    std::function<QByteArray(const RecordValues& values)> encode;

    // One field's text straight from the record's bytes, by its index in `fields`: for readers
    // that need a few fields of many records.
    std::function<QString(QByteArrayView bytes, int field)> readField;

    // One field's stored bytes, undecoded and untrimmed (TextField's storedText): for copying many
    // records' texts to another Windows-1252 file. Throws ArchiveError for bytes of the wrong size
    // or a field out of range.
    QByteArrayView storedText(QByteArrayView bytes, int field) const;
    // The same for several fields of one record at once (an index below 0 gives an empty text):
    // `texts` gets one view per index.
    void storedTexts(QByteArrayView bytes, std::span<const int> fields, std::span<QByteArrayView> texts) const;

    // The record of `texts` given in the order of `fields` (missing ones stored empty), and back:
    // for code that fills many records field by field without looking fields up by name.
    QByteArray encodeTexts(const QList<QString>& texts) const;
    void encodeTextsInto(const QList<QString>& texts, char* record) const;  // `size` bytes at `record`
    QList<QString> decodeTexts(QByteArrayView bytes) const;  // throws ArchiveError for the wrong size

    // A record packed: each field's stored bytes after their count (two bytes, low first), in the
    // order of `fields`; a tenth of the record or less for the usual texts, for code that keeps
    // thousands of records until it writes them. packInto() appends the packed `record` (`size`
    // bytes, zero where no text is, as encodeTexts() makes it) to `packed`; unpackInto() writes it
    // back whole at `record` and returns where the next packed record starts.
    void packInto(QByteArrayView record, QByteArray& packed) const;
    const char* unpackInto(const char* packed, char* record) const;

    // -1 for a name the format does not have.
    int capacityOf(const QString& name) const;
    int indexOf(const QString& name) const;
};

template <typename Record, std::size_t N>
RecordFormat recordFormat(const RecordLayout<Record, N>& layout);

// The format of a record type, made once, for readers that need it again and again.
template <typename Record>
const RecordFormat& formatOf()
{
    static const RecordFormat format = recordFormat(Record::Layout);
    return format;
}

template <typename Record, std::size_t N>
RecordFormat recordFormat(const RecordLayout<Record, N>& layout)
{
    RecordFormat format;
    format.size = layout.size();
    format.encoding = layout.encoding;
    int offset = 0;
    for (const auto& field : layout.fields) {
        format.fields.append({QString::fromLatin1(field.name.data(), qsizetype(field.name.size())), field.capacity, offset});
        offset += field.capacity + 1;
    }
    QList<QString> names;
    for (const RecordFormat::Field& field : format.fields)
        names.append(field.name);
    format.decode = [&layout, names](QByteArrayView bytes) {
        const Record record = layout.decode(bytes);
        RecordValues values;
        values.reserve(names.size());
        for (std::size_t i = 0; i < layout.fields.size(); ++i)
            values.insert(names.at(qsizetype(i)), record.*layout.fields[i].member);
        return values;
    };
    format.readField = [&layout](QByteArrayView bytes, int field) {
        if (field < 0)
            throw ArchiveError(std::string(layout.recordName) + " field out of range");
        return layout.readField(bytes, std::size_t(field));
    };
    format.encode = [&layout, names](const RecordValues& values) {
        Record record;
        for (std::size_t i = 0; i < layout.fields.size(); ++i)
            record.*layout.fields[i].member = values.value(names.at(qsizetype(i)));
        return layout.encode(record);
    };
    return format;
}
