#pragma once

#include "backup/ZipAccess.h"
#include "import/Sheet.h"

#include <QString>

// Reads a spreadsheet file whatever it is, told from its content rather than its name: an
// Excel workbook (.xlsx), an OpenDocument spreadsheet (.ods), one of the program's own exports
// (.xls) or a text file of separated values (.csv).
namespace sheetFile {

enum class Format { Csv, Xlsx, Ods, OwnExport };

struct Loaded {
    sheetImport::Sheet sheet;
    Format format = Format::Csv;
    QString error;  // empty when the file was read; otherwise the reason, for the user
    bool failed() const { return !error.isEmpty(); }
};

// Files larger than this are refused: a season's roster is a few hundred kilobytes.
constexpr qint64 MaxBytes = qint64(256) << 20;

Loaded read(const QString& path);
Loaded readBytes(const QByteArray& bytes);

QString formatName(Format format);

inline const QString unreadableMessage = QStringLiteral("Il file non pu\u00F2 essere letto.");
inline const QString tooLargeMessage = QStringLiteral("Il file \u00E8 troppo grande per essere un foglio di calcolo.");
inline const QString damagedMessage =
    QStringLiteral("Il foglio di calcolo \u00E8 danneggiato oppure non \u00E8 in un formato riconosciuto.");
inline QString noZipMessage() { return QStringLiteral("Il file non pu\u00F2 essere letto: ") + zipAccess::missing() + u'.'; }
inline const QString binaryXlsMessage = QStringLiteral(
    "Il file \u00E8 nel vecchio formato binario di Excel: salvarlo dal programma di fogli di calcolo in "
    "formato .xlsx, .ods o .csv e riprovare.");
inline const QString notASheetMessage = QStringLiteral("Il file non \u00E8 un foglio di calcolo.");

}  // namespace sheetFile
