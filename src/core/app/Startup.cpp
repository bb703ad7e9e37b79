#include "app/Startup.h"

#include "app/ProgramFolder.h"
#include "storage/ArchiveError.h"
#include "storage/RecordFile.h"
#include "storage/TeamRecord.h"

#include "backup/Backup.h"

#include <QFileInfo>
#include <QThreadPool>

namespace startup {

void prepareProgramFolder()
{
    try {
        RecordFile archive(programFolder::file(programFolder::teamArchiveName), TeamRecord::Size);
    } catch (const ArchiveError&) {
    }
}

void startDailyBackup(const QDate& today)
{
    const QString folder = programFolder::path();
    // Most starts find the day's backup made: no worker (and no zip library) is started for them.
    // An empty file under the day's name is no backup; the worker checks the rest.
    if (QFileInfo(backup::dayFile(folder, today)).size() > 0)
        return;
    QThreadPool::globalInstance()->start([folder, today] {
        const backup::Outcome outcome = backup::make(folder, today);
        if (!outcome.error.isEmpty())
            qWarning("backup: %s", qUtf8Printable(outcome.error));
    });
}

}  // namespace startup
