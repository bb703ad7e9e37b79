#pragma once

#include "import/Sheet.h"

#include <optional>

class ZipEntries;

// The first worksheet of an Office Open XML workbook (.xlsx): shared and inline strings,
// numbers, booleans, and numbers whose cell format is a date, read as dates.
namespace xlsxReader {

// True when the zip holds a workbook.
bool isWorkbook(const ZipEntries& zip);

// Nothing when the workbook's parts are missing or are no well-formed XML.
std::optional<sheetImport::Sheet> read(const ZipEntries& zip);

}  // namespace xlsxReader
