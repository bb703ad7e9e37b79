#pragma once

// A record format as data: its text fields in file order with their capacities, and the text
// encoding its archive uses. Offsets follow from the capacities (each field takes N + 1 bytes,
// no gaps), so a format is stated once and checked at compile time against the documented
// offsets.

#include "storage/ArchiveError.h"
#include "storage/TextField.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

template <typename Record>
struct RecordField {
    std::string_view name;
    int capacity;
    QString Record::*member;
};

template <typename Record, std::size_t FieldCount>
struct RecordLayout {
    std::string_view recordName;
    TextEncoding encoding;
    std::array<RecordField<Record>, FieldCount> fields;

    constexpr int size() const
    {
        int total = 0;
        for (const auto& field : fields)
            total += field.capacity + 1;
        return total;
    }

    // Byte offset of the named field within the record; -1 for an unknown name.
    constexpr int offsetOf(std::string_view name) const
    {
        int offset = 0;
        for (const auto& field : fields) {
            if (field.name == name)
                return offset;
            offset += field.capacity + 1;
        }
        return -1;
    }

    // Characters the named field holds (the editors' maximum lengths); -1 for an unknown name.
    constexpr int capacityOf(std::string_view name) const
    {
        for (const auto& field : fields) {
            if (field.name == name)
                return field.capacity;
        }
        return -1;
    }

    // One field alone, for lists that need a few fields of every record. Throws ArchiveError for
    // bytes of the wrong size or an index out of range.
    QString readField(QByteArrayView bytes, std::size_t index) const
    {
        checkSize(bytes);
        if (index >= FieldCount)
            throw ArchiveError(std::string(recordName) + " has no field " + std::to_string(index));
        int offset = 0;
        for (std::size_t i = 0; i < index; ++i)
            offset += fields[i].capacity + 1;
        return readText(bytes.data() + offset, fields[index].capacity, encoding);
    }

    // The index of the named field; FieldCount for an unknown name.
    constexpr std::size_t indexOf(std::string_view name) const
    {
        for (std::size_t i = 0; i < FieldCount; ++i) {
            if (fields[i].name == name)
                return i;
        }
        return FieldCount;
    }

    Record decode(QByteArrayView bytes) const
    {
        checkSize(bytes);
        Record record;
        const char* field = bytes.data();
        for (const auto& def : fields) {
            record.*def.member = readText(field, def.capacity, encoding);
            field += def.capacity + 1;
        }
        return record;
    }

    void checkSize(QByteArrayView bytes) const
    {
        if (bytes.size() != size())
            throw ArchiveError(std::string(recordName) + " record of " + std::to_string(bytes.size())
                               + " bytes, expected " + std::to_string(size()));
    }

    QByteArray encode(const Record& record) const
    {
        QByteArray bytes(size(), '\0');
        char* field = bytes.data();
        for (const auto& def : fields) {
            writeText(field, def.capacity, encoding, record.*def.member);
            field += def.capacity + 1;
        }
        return bytes;
    }
};
