#pragma once

#include "output/ListRows.h"
#include "standings/Standings.h"

#include <QCoreApplication>
#include <QStringList>

#include <memory>

// golvera-cli's PDF files, through the PDF plugin loaded from beside the executable when --pdf
// is given. Without the plugin the rows are printed all the same and the PDF fails with a reason.
namespace pdfOutput {

// Loads the plugin and makes the application the PDF needs; null without the plugin (the caller
// makes the plain one).
std::unique_ptr<QCoreApplication> application(int& argc, char** argv);

// The printed standings, or a printed list, as a PDF at `path`: Done, or Failed with the reason.
int writeStandings(standings::Kind kind, const QString& title, const QList<ListRow>& rows, const QString& path);
int writeList(const QString& title, const QStringList& lines, const QString& path);

}  // namespace pdfOutput
