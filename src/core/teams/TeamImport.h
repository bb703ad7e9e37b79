#pragma once

#include "import/ImportTarget.h"

// The team archive as a spreadsheet import fills it: the nineteen texts and the selected mark,
// matched by the export's labels and the usual synonyms; a team needs its name, and is already in
// the archive when a team of the same name is.
namespace teamImport {

const sheetImport::Archive& archive();

}  // namespace teamImport
