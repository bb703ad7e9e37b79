#pragma once

// What start-up does to the program folder: the team archive is opened once with the
// open-or-create rule, so a first start leaves an empty team archive and no other data file.
// A folder that cannot be written is no reason not to start: the failure is ignored here and
// reported by the screens that need the archive.
#include <QDate>

namespace startup {

void prepareProgramFolder();

// Writes the day's backup of the program folder's archives on a worker thread, so the login window
// never waits for it; a failure goes to the log, never to a box.
void startDailyBackup(const QDate& today);

}  // namespace startup
