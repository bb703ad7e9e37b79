#pragma once

#include <QString>

// The folder the program keeps its data in: by default the executable's folder, or the one given
// on the command line (tests and installs whose executable folder is read-only use that).
namespace programFolder {

// `description` says which folder it is and why, for the information screen.
void set(const QString& folder, const QString& description = {});
QString description();
QString path();                              // absolute, without a trailing separator
QString file(const QString& name);           // path() + "/" + name

inline const QString teamArchiveName = QStringLiteral("Archivio_Squadre.pro");
inline const QString playerArchiveName = QStringLiteral("Archivio_Giocatori.pro");
inline const QString passwordStoreName = QStringLiteral("unins000.dll");
inline const QString userGuideName = QStringLiteral("Guida.pdf");

}  // namespace programFolder
