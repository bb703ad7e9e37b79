#pragma once

#include "storage/RecordLayout.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <functional>

// A record as named texts, for code that works with any of the three formats without knowing
// their structs (the record forms of the editors). Field names are the layout's.
using RecordValues = QHash<QString, QString>;

// One record format seen through its field names.
struct RecordFormat {
    struct Field {
        QString name;
        int capacity = 0;
    };

    int size = 0;
    QList<Field> fields;
    // Throw ArchiveError for bytes of the wrong size.
    std::function<RecordValues(QByteArrayView bytes)> decode;
    // One field (by its index in `fields`) alone, for a scan that looks at a few fields only.
    std::function<QString(QByteArrayView bytes, int field)> decodeField;
    // Fields missing from `values` are stored empty.
    std::function<QByteArray(const RecordValues& values)> encode;

    // -1 for a name the format does not have.
    int capacityOf(const QString& name) const;
    int indexOf(const QString& name) const;
};

template <typename Record, std::size_t N>
RecordFormat recordFormat(const RecordLayout<Record, N>& layout)
{
    RecordFormat format;
    format.size = layout.size();
    for (const auto& field : layout.fields)
        format.fields.append({QString::fromLatin1(field.name.data(), qsizetype(field.name.size())), field.capacity});
    format.decode = [&layout](QByteArrayView bytes) {
        const Record record = layout.decode(bytes);
        RecordValues values;
        for (const auto& field : layout.fields)
            values.insert(QString::fromLatin1(field.name.data(), qsizetype(field.name.size())), record.*field.member);
        return values;
    };
    format.decodeField = [&layout](QByteArrayView bytes, int index) {
        layout.checkSize(bytes);
        const auto& field = layout.fields.at(std::size_t(index));
        return readText(bytes.data() + layout.offsetOf(field.name), field.capacity, layout.encoding);
    };
    format.encode = [&layout](const RecordValues& values) {
        Record record;
        for (const auto& field : layout.fields)
            record.*field.member = values.value(QString::fromLatin1(field.name.data(), qsizetype(field.name.size())));
        return layout.encode(record);
    };
    return format;
}
