#pragma once

#include "output/Spreadsheet.h"

// The player archive as a spreadsheet, "Archivio_Giocatori.xls": 25 texts of every player. Sex,
// height, weight, awards, the attachments and the photo are neither shown nor exported to the .xls;
// the workbook (.xlsx) adds sex, height, weight and awards after them.
namespace playerExport {

const spreadsheet::Sheet& sheet();

}  // namespace playerExport
