#pragma once

#include <QByteArrayView>
#include <QString>

// The two ways a record stores a text of capacity N in N + 1 bytes.
enum class TextEncoding {
    // Team and player records: a length byte, then the bytes. The text is trimmed on the way in
    // and on the way out.
    LengthPrefixed,
    // Tournament records: the bytes as typed, then a zero byte.
    ZeroTerminated,
};

// Writes `text` into the N + 1 bytes at `field`, converted to Windows-1252 and cut to N bytes;
// whatever the text leaves of the field is zeroed.
void writeText(char* field, int capacity, TextEncoding encoding, const QString& text);

// Reads the text in the N + 1 bytes at `field`, never looking past them. A length byte above N
// (not written by this program) is taken as N; a zero-terminated field without a zero is read
// whole.
QString readText(const char* field, int capacity, TextEncoding encoding);

// The stored Windows-1252 bytes of the same text, untrimmed and undecoded: for readers that copy
// texts to another Windows-1252 file without looking at them.
QByteArrayView storedText(const char* field, int capacity, TextEncoding encoding);

// Puts stored bytes (as storedText() gives them, at most N) back into the N + 1 bytes at `field`,
// which must be zeroed.
void placeStoredText(char* field, TextEncoding encoding, QByteArrayView bytes);
