#pragma once

// What start-up does to the program folder: the team archive is opened once with the
// open-or-create rule, so a first start leaves an empty team archive and no other data file.
// A folder that cannot be written is no reason not to start: the failure is ignored here and
// reported by the screens that need the archive.
#include <QDate>
#include <QString>

#include <functional>

class QObject;

namespace startup {

void prepareProgramFolder();

// Writes the day's backup of the program folder's archives on a worker thread, so the login window
// never waits for it; a failure goes to the log and to whoever asked to hear of it, never to a box.
// A failed backup is tried again at the next start, and told again.
void startDailyBackup(const QDate& today);

// What the launcher's status line says of a failed automatic backup; empty while none failed.
QString backupFailure();
// `told` runs on `context`'s thread with backupFailure() once the automatic backup has failed (at
// once when it already has).
void onBackupFailure(QObject* context, std::function<void(const QString& message)> told);

}  // namespace startup
