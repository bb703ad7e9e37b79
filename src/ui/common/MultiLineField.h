#pragma once

#include <QString>

class QPlainTextEdit;

// A multi-line box that holds a record field whose line breaks are stored as CR LF: the stored
// text differs from the box's, and each line break takes two of the field's characters.
namespace multiLineField {

QString fromStored(const QString& stored);
QString toStored(const QString& shown);

// Keeps the box within `capacity` stored characters: what was just typed or pasted past it is
// cut, the characters before the cursor first, then from the end.
void limit(QPlainTextEdit* box, int capacity);

}  // namespace multiLineField
