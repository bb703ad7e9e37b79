#pragma once

#include "output/Report.h"
#include "storage/RecordValues.h"

// The one-page sheet of a tournament entry ("Squadra e gare disputate"), filled from what the
// editor shows, saved or not.
namespace entrySheet {

// The print copy of the template gives the team's label a little less room than the preview.
enum class Copy { Preview, Print };

// `position` is the editor's position label (empty for an entry never saved); every text is
// printed trimmed and as typed.
report::Report make(const QString& tournament, const QString& position, const RecordValues& entry, Copy copy);

}  // namespace entrySheet
