#pragma once

#include "storage/RecordLayout.h"

#include <QByteArray>
#include <QString>

// A two-field record format for tests of the shared screen mechanics, small enough to read in a
// failure message.
struct TinyRecord {
    QString Nome;
    QString Nota;
    static constexpr int Size = 42;
    static constexpr RecordLayout<TinyRecord, 2> Layout{
        "tiny", TextEncoding::ZeroTerminated, {{{"Nome", 20, &TinyRecord::Nome}, {"Nota", 20, &TinyRecord::Nota}}}};

    static TinyRecord fromBytes(QByteArrayView bytes) { return Layout.decode(bytes); }
};

inline QByteArray tiny(const QString& nome, const QString& nota = {})
{
    return TinyRecord::Layout.encode({nome, nota});
}
