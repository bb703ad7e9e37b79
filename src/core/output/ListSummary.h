#pragma once

#include "output/Report.h"
#include "output/RowSource.h"

#include <QStringList>

// The list-summary document every record list prints: a title and the rows, one per line, on A4
// landscape paper, with the print date after the last row.
namespace listSummary {

// The height the list takes per row, in report units.
inline constexpr double lineHeight = 12.822;

// The summary filled with `title` and `lines` and sized for them; `documentName` names the
// document for the print queue.
report::Report make(const QString& documentName, const QString& title, const QStringList& lines);

// The lines of a list as the screen shows it: each row's mark word before its text where the list
// marks rows (an expiry list's "Scaduta", "In scadenza"), then, after a blank line, `closing`
// (the screen's count and left-out lines), leaving out the empty ones.
QStringList lines(const RowSource& rows, const QStringList& closing = {});

}  // namespace listSummary
