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

QString suggestedPdfPath(const QString& fileName)
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(fileName);
}

}  // namespace report
