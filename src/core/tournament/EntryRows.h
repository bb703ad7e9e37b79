#pragma once

#include "output/ListRows.h"
#include "storage/RecordValues.h"
#include "storage/TournamentRecord.h"

#include <QString>

// The entries of a tournament as rows of the entry search and of the list of entries with
// matches still to play: team, contact person, notes and points in fixed-width columns.
namespace entryRows {

// The row's columns over the tournament record's fields.
const listRows::Layout& layout();


// An entry still to complete: its mark, blanks aside, is exactly "No" (neither "Sì" nor any other
// text). Throws ArchiveError for bytes that are not one tournament record.
bool pending(QByteArrayView record);

}  // namespace entryRows
