#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

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

// The character one byte decodes to (every character of the code page is one UTF-16 unit).
char16_t unit(char byte);

}  // namespace cp1252
