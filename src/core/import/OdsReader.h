#pragma once

#include "import/Sheet.h"

#include <optional>

class ZipEntries;

// The first table of an OpenDocument spreadsheet (.ods): texts, numbers, dates and booleans as
// their cells declare them, repeated rows and cells unfolded.
namespace odsReader {

// True when the zip holds an OpenDocument spreadsheet.
bool isSpreadsheet(const ZipEntries& zip);

// Nothing when content.xml is missing or is no well-formed XML.
std::optional<sheetImport::Sheet> read(const ZipEntries& zip);

}  // namespace odsReader
