#pragma once

#include "output/Report.h"

#include <QStringList>

// The list-summary document every record list prints: a title and the rows, one per line, on A4
// landscape paper, with the print date after the last row.
namespace listSummary {

// The height the list takes per row, in report units.
inline constexpr double lineHeight = 12.822;

// The summary filled with `title` and `lines` and sized for them; `documentName` names the
// document for the print queue.
report::Report make(const QString& documentName, const QString& title, const QStringList& lines);

}  // namespace listSummary
