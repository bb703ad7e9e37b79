#pragma once

#include "output/Spreadsheet.h"

// A tournament as a spreadsheet: every entry's contact, points, notes and completed mark, in
// "Torneo.xls"; the match lists are not exported.
namespace tournamentExport {

const spreadsheet::Sheet& sheet();

}  // namespace tournamentExport
