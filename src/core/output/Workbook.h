#pragma once

#include "output/Spreadsheet.h"

#include <QString>

// The same export as a genuine Excel workbook (.xlsx), written through the workbook plugin: typed cells
// (dates as dates, numbers as numbers, the rest as text), a bold header row that stays in view,
// and the columns as wide as the export's header widths. It opens in spreadsheet programs without
// the warning they give the HTML ".xls".
namespace workbook {

// The failure when the workbook plugin is not installed: its file and where it was looked for.
QString missingMessage();

// "Archivio_Squadre.xlsx" for the sheet of "Archivio_Squadre.xls".
QString fileName(const spreadsheet::Sheet& sheet);

// The workbook's sheet: the export's columns, then those only the workbook carries.
spreadsheet::Sheet sheetOf(const spreadsheet::Sheet& sheet);

// Writes the workbook to `path`; the old file stays untouched unless the whole workbook is in
// place. False with `error` set on any failure.
bool write(const QString& path, const spreadsheet::Sheet& sheet, const spreadsheet::Table& rows,
           QString* error = nullptr);

// A column's width in the workbook's character units, from its width in pixels in the .xls.
double widthInCharacters(int pixels);

}  // namespace workbook
