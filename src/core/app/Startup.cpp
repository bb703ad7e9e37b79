#include "app/Startup.h"

#include "app/ProgramFolder.h"
#include "storage/ArchiveError.h"
#include "storage/RecordFile.h"
#include "storage/TeamRecord.h"

#include "backup/Backup.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QMutex>
#include <QPointer>
#include <QThreadPool>

namespace startup {
namespace {

// The worker reports; the launcher listens. Guarded: they run on different threads.
struct FailureReport {
    QMutex lock;
    QString message;
    QPointer<QObject> context;
    std::function<void(const QString&)> told;
};

FailureReport& report()
{
    static FailureReport failures;
    return failures;
}

void tell(QObject* context, const std::function<void(const QString&)>& told, const QString& message)
{
    QMetaObject::invokeMethod(context, [told, message] { told(message); }, Qt::QueuedConnection);
}

void backupFailed(const QString& error)
{
    FailureReport& r = report();
    const QMutexLocker locked(&r.lock);
    r.message = QStringLiteral("Attenzione: il backup automatico degli archivi non \u00E8 riuscito (%1).").arg(error);
    if (r.context && r.told)
        tell(r.context, r.told, r.message);
}

}  // namespace

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
        if (!outcome.error.isEmpty()) {
            qWarning("backup: %s", qUtf8Printable(outcome.error));
            backupFailed(outcome.error);
        }
    });
}

QString backupFailure()
{
    FailureReport& r = report();
    const QMutexLocker locked(&r.lock);
    return r.message;
}

void onBackupFailure(QObject* context, std::function<void(const QString& message)> told)
{
    FailureReport& r = report();
    const QMutexLocker locked(&r.lock);
    r.context = context;
    r.told = std::move(told);
    if (!r.message.isEmpty())
        tell(r.context, r.told, r.message);
}

}  // namespace startup
