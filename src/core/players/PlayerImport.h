#pragma once

#include "import/ImportTarget.h"

// The player archive as a spreadsheet import fills it: every field but the attachments, matched
// by the export's labels and the usual synonyms; the mandatory fields of the editor; a player is
// already in the archive when name and birth date are the same.
namespace playerImport {

const sheetImport::Archive& archive();

}  // namespace playerImport
