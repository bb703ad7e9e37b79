#pragma once

#include <QByteArrayView>
#include <QString>

// The program's own text rules, which differ from Qt's Unicode-aware helpers on purpose: stored
// texts are trimmed of every character of code 32 or below, and case folding touches only the
// letters a to z (accented letters compare as stored).

// Text trimmed of characters of code 32 or below at both ends.
QString trimControls(const QString& text);
QStringView trimControls(QStringView text);
// The same on Windows-1252 bytes, where exactly the bytes below 33 stand for those characters.
QByteArrayView trimControls(QByteArrayView bytes);

// Upper-cases only the letters a to z.
QString upperAsciiLetters(const QString& text);
