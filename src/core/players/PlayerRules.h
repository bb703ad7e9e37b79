#pragma once

#include <QList>
#include <QString>

#include <functional>

// What the player editor decides without a window: which fields a save cannot do without, in the
// order they are asked for, and the whole-number form of the count fields.
namespace playerRules {

struct MandatoryField {
    QString field;    // record field
    QString control;  // the editor's field that gets the focus
    QString message;  // the warning shown when it is empty
};

// In the order the editor checks them.
const QList<MandatoryField>& mandatoryFields();

// The first mandatory field whose text, trimmed, is empty, or null when none is. `text` gives a
// record field's text by its name.
const MandatoryField* firstMissing(const std::function<QString(const QString& field)>& text);

// A count as stored: empty becomes "0"; otherwise read as a decimal number (comma as separator),
// rounded half up to a whole number and written without leading zeros; unreadable text is "0".
QString countNormalForm(const QString& text);

}  // namespace playerRules

