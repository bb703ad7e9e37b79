#pragma once

#include <QString>

// Who we are, as the program shows it.
namespace product {

inline const QString name = QStringLiteral("Golvera");
inline const QString makerName = QStringLiteral("Studio Tre Punti");
inline const QString makerEmail = QStringLiteral("info@golvera.example");
inline const QString makerWebAddress = QStringLiteral("https://www.golvera.example");
inline const QString webAddressShown = QStringLiteral("www.golvera.example");

// The password of a fresh installation; the shipped store holds it scrambled and the launcher's
// help text tells it.
inline const QString firstAccessPassword = QStringLiteral("golvera");

// The text handed to the shell by the information screen's e-mail link.
inline QString writeToMakerCommand()
{
    return QLatin1Char('"') + QStringLiteral("mailto:") + makerEmail + QStringLiteral("?subject=")
        + QStringLiteral("Software Golvera") + QStringLiteral("&body=")
        + QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:")
        + QLatin1Char('"');
}

}  // namespace product
