#pragma once

// What start-up does to the program folder: the team archive is opened once with the
// open-or-create rule, so a first start leaves an empty team archive and no other data file.
// A folder that cannot be written is no reason not to start: the failure is ignored here and
// reported by the screens that need the archive.
namespace startup {

void prepareProgramFolder();

}  // namespace startup
