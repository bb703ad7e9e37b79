#include "common/LongWork.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <memory>

namespace longWork {

bool run(QWidget* owner, const QString& label, std::function<void()> work)
{
    // The thread deletes itself once done, also when nobody waits for it any more.
    QThread* worker = QThread::create(std::move(work));
    auto finished = std::make_shared<bool>(false);
    QObject::connect(worker, &QThread::finished, worker, [finished] { *finished = true; });
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);

    std::unique_ptr<QProgressDialog> progress;
    bool cancelled = false;
    bool due = false;
    QTimer showLater;  // wakes the wait below when the window is due
    showLater.setSingleShot(true);
    QObject::connect(&showLater, &QTimer::timeout, &showLater, [&due] { due = true; });
    showLater.start(ShowAfterMs);
    worker->start();
    while (!*finished && !cancelled) {
        if (!progress && due) {
            progress = std::make_unique<QProgressDialog>(label, QStringLiteral("Annulla"), 0, 0, owner);
            progress->setObjectName(QStringLiteral("frmAttesa"));
            progress->setWindowTitle(QStringLiteral("Attendere"));
            progress->setWindowModality(Qt::ApplicationModal);
            progress->setMinimumDuration(0);
            QObject::connect(progress.get(), &QProgressDialog::canceled, progress.get(), [&cancelled] { cancelled = true; });
            progress->show();
        }
        // Until the window is up, the user's clicks wait: the screen behind must not start
        // something else meanwhile.
        QCoreApplication::processEvents(progress ? QEventLoop::WaitForMoreEvents
                                                 : QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents);
    }
    return *finished;
}

}  // namespace longWork
