#pragma once

#include <QString>

class QObject;

// The program's own plugins (the webcam support, printing, zip files, the .xlsx writer, the command
// line's PDF) are loaded the first time they are needed, so that what they bring is not loaded at
// start-up. They lie in lib/golvera inside the program's own folder when the program travels as one
// folder (scripts/portable.sh lays it out), else in lib/golvera beside the folder of the
// executable, in the build folder as in an installed copy.
namespace plugins {

QString folder();
// The same for the executable in `executableFolder`, before the application exists.
QString folderBeside(const QString& executableFolder);

// The root object of the plugin `name` in `folder`, which stays loaded to the end of the run (what
// it makes lives in its code); null when it cannot be loaded, the reason going to the log and to
// notLoaded().
QObject* load(const QString& folder, const QString& name);

// The file the plugin `name` lies in ("libgolvera_zip.so").
QString fileName(const QString& name);

// Why the plugin `name` did not load, for the message that says what is not available: the file
// and the folder where it was looked for. Empty while it has not failed.
QString notLoaded(const QString& name);

// `unavailable` (what cannot be done, a phrase) followed by notLoaded(name) in brackets.
QString missingMessage(const QString& unavailable, const QString& name);
// The same for a message box: the sentence `unavailable`, then notLoaded(name) as a sentence of its
// own.
QString missingBoxMessage(const QString& unavailable, const QString& name);

// Plugin names, without the platform's prefix and suffix ("lib", ".so").
inline const QString webcam = QStringLiteral("golvera_webcam");
inline const QString print = QStringLiteral("golvera_print");
inline const QString zip = QStringLiteral("golvera_zip");
inline const QString pdf = QStringLiteral("golvera_pdf");
inline const QString workbook = QStringLiteral("golvera_xlsx");

// Where the plugins lie, from the executable's folder (inside it) or from its parent.
inline const QString folderName = QStringLiteral("lib/golvera");

}  // namespace plugins
