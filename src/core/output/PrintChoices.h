#pragma once

#include <QList>
#include <QPageRanges>
#include <QString>

// What the print dialog offers and hands back, decided without the dialog.
namespace report {

// The pages to print, 0-based and in order: those of `pageCount` that `ranges` (1-based, as the
// user typed them) holds, or every page when `ranges` is empty.
QList<int> selectedPages(const QPageRanges& ranges, int pageCount);

// Where the dialog suggests writing a PDF: `fileName` in the user's documents folder, or in the
// home folder when the documents folder does not exist.
QString suggestedPdfPath(const QString& fileName);

// The PDF file name a printed `title` suggests: the title itself, trimmed, with the characters a
// file name cannot hold on any of the club's computers replaced by '-', and ".pdf".
QString pdfFileName(const QString& title);

}  // namespace report
