#pragma once

#include <QString>

// A yes/no mark as read from a record. Anything but the two marks is Neither, so a screen can
// leave its check box as it was.
enum class YesNo { Yes, No, Neither };

// "Sì" -> Yes, "No" -> No (ignoring blanks and control characters at the ends), anything else
// -> Neither.
YesNo yesNoFromText(const QString& text);

// The mark stored for a ticked ("Sì") or cleared ("No") box.
QString yesNoText(bool yes);
