#pragma once

#include "output/Report.h"

#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

// The printed sheet of one player ("Scheda Giocatore"): the name in the title bar, the photo, and
// 28 captioned boxes. The value objects carry the names of the editor's fields they are filled from.
namespace playerSheet {

// The 29 value objects: the title's `txtGiocatore`, then the boxes from the top left.
const QStringList& valueNames();

// The sheet filled from `values` (by value object name; a missing one prints empty) and `photo`,
// on portrait paper. Each text is trimmed and kept on one line; the photo is reduced to what its
// box shows in print. Throws report::ReportError when the template cannot be read.
report::Report make(const QHash<QString, QString>& values, const QImage& photo);

// The largest photo the sheet prints in full: its photo box at print resolution. A bigger one is
// reduced to fit this when it is read.
QSize photoLimit();

}  // namespace playerSheet
