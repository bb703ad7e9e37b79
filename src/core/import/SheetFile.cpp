#include "import/SheetFile.h"

#include "import/CsvReader.h"
#include "import/HtmlTableReader.h"
#include "import/OdsReader.h"
#include "import/XlsxReader.h"
#include "import/ZipEntries.h"
#include "storage/DiskFile.h"

#include <QFile>

namespace sheetFile {

Loaded read(const QString& path)
{
    if (!DiskFile::isRegularFile(path))
        return {{}, Format::Csv, unreadableMessage};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, Format::Csv, unreadableMessage};
    if (file.size() > MaxBytes)
        return {{}, Format::Csv, tooLargeMessage};
    const QByteArray bytes = file.read(MaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {{}, Format::Csv, unreadableMessage};
    if (bytes.size() > MaxBytes)
        return {{}, Format::Csv, tooLargeMessage};
    return readBytes(bytes);
}

Loaded readBytes(const QByteArray& bytes)
{
    Loaded loaded;
    if (bytes.startsWith("PK\x03\x04")) {
        const ZipEntries zip(bytes);
        if (!zip.isOpen() && !zipAccess::available()) {
            loaded.error = noZipMessage();
            return loaded;
        }
        std::optional<sheetImport::Sheet> sheet;
        if (xlsxReader::isWorkbook(zip)) {
            loaded.format = Format::Xlsx;
            sheet = xlsxReader::read(zip);
        } else if (odsReader::isSpreadsheet(zip)) {
            loaded.format = Format::Ods;
            sheet = odsReader::read(zip);
        }
        if (sheet)
            loaded.sheet = std::move(*sheet);
        else
            loaded.error = damagedMessage;
        return loaded;
    }
    if (bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
        loaded.error = binaryXlsMessage;
        return loaded;
    }
    if (htmlTableReader::looksLikeHtml(bytes)) {
        loaded.format = Format::OwnExport;
        loaded.sheet = htmlTableReader::read(bytes);
        return loaded;
    }
    // Text has no zero bytes (but for UTF-16, told by its mark); a picture or a program has plenty.
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (!utf16 && bytes.contains('\0')) {
        loaded.error = notASheetMessage;
        return loaded;
    }
    loaded.sheet = csvReader::read(bytes);
    return loaded;
}

QString formatName(Format format)
{
    switch (format) {
    case Format::Csv:
        return QStringLiteral("testo separato (CSV)");
    case Format::Xlsx:
        return QStringLiteral("cartella di lavoro di Excel (.xlsx)");
    case Format::Ods:
        return QStringLiteral("foglio di calcolo OpenDocument (.ods)");
    case Format::OwnExport:
        return QStringLiteral("esportazione del programma (.xls)");
    }
    Q_UNREACHABLE();
}

}  // namespace sheetFile
