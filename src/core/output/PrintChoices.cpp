#include "output/PrintChoices.h"

#include <QDir>
#include <QStandardPaths>

namespace report {

QList<int> selectedPages(const QPageRanges& ranges, int pageCount)
{
    QList<int> pages;
    for (int page = 1; page <= pageCount; ++page) {
        if (ranges.isEmpty() || ranges.contains(page))
            pages.append(page - 1);
    }
    return pages;
}

QString pdfFileName(const QString& title)
{
    QString name = title.trimmed();
    for (QChar& c : name) {
        if (c.unicode() < 0x20 || QStringView(u"/\\:*?\"<>|").contains(c))
            c = QLatin1Char('-');
    }
    return (name.isEmpty() ? QStringLiteral("Documento") : name) + QStringLiteral(".pdf");
}

QString suggestedPdfPath(const QString& fileName)
{
    // A desktop may name a documents folder that was never made: the file could not be written.
    const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    return (documents.exists() ? documents : QDir::home()).filePath(fileName);
}

}  // namespace report
