#pragma once

#include "output/Spreadsheet.h"

// The team archive as a spreadsheet: the nineteen texts and the selected mark of every team, in
// "Archivio_Squadre.xls"; the attachments are neither shown nor exported.
namespace teamExport {

const spreadsheet::Sheet& sheet();

}  // namespace teamExport
