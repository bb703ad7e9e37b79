#pragma once

#include <QString>

// The control character of an Italian tax code (codice fiscale): only the 16th character is
// checked against the first fifteen, not the structure of the others.
namespace taxCode {

enum class Verdict { WrongLength, Valid, Wrong };

// `code` is upper-cased (a to z only) before the check; a character outside the code's tables
// (a blank, an accented letter) makes it wrong.
Verdict check(const QString& code);

inline const QString lengthMessage =
    QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
inline const QString validMessage = QStringLiteral("Il codice fiscale digitato \u00E8 VALIDO.");
inline const QString wrongMessage = QStringLiteral("Attenzione: il codice fiscale digitato \u00E8 ERRATO.");

}  // namespace taxCode
