#pragma once

#include <QString>

class QObject;

// The program's own plugins (the webcam support, printing, zip files, the .xlsx writer, the command line's PDF) lie in lib/golvera beside the folder
// of the executable, in the build folder as in an installed copy. Each is loaded the first time it
// is needed, so that what it brings is not loaded at start-up.
namespace plugins {

QString folder();
// The same for the executable in `executableFolder`, before the application exists.
QString folderBeside(const QString& executableFolder);

// The root object of the plugin `name` in `folder`, which stays loaded to the end of the run (what
// it makes lives in its code); null when it cannot be loaded, the reason going to the log.
QObject* load(const QString& folder, const QString& name);

// Plugin names, without the platform's prefix and suffix ("lib", ".so").
inline const QString webcam = QStringLiteral("golvera_webcam");
inline const QString print = QStringLiteral("golvera_print");
inline const QString zip = QStringLiteral("golvera_zip");
inline const QString pdf = QStringLiteral("golvera_pdf");
inline const QString workbook = QStringLiteral("golvera_xlsx");

}  // namespace plugins
