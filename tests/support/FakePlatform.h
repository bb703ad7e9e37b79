#pragma once

#include "platform/Platform.h"

#include <QImage>
#include <QList>
#include <QTemporaryDir>
#include <QUrl>
#include <functional>

// Test doubles for every platform seam, installed together for one test; nothing here ever
// blocks on a modal window.
struct ShownMessage {
    platform::MessageKind kind;
    QString text;
    platform::Choices choices{};  // a question's buttons and the one Enter presses
};

class FakePlatform {
public:
    FakePlatform();   // installs the doubles
    ~FakePlatform();  // removes them

    // Message boxes: every box shown, in order; questions take the next scripted answer (when
    // none is left, the button Enter presses; Cancel answers No where it is not offered).
    QList<ShownMessage> messages;
    QList<platform::Answer> answers;
    static QList<platform::Answer> yesNo(const QList<bool>& yes);
    ShownMessage lastMessage() const { return messages.isEmpty() ? ShownMessage{} : messages.back(); }

    // Dialogs: the class name of every dialog run; `onDialog` may act on the dialog while it is
    // "open" (read its widgets, click its buttons); the result is what `dialogResult` says.
    QStringList dialogsRun;
    std::function<void(QObject* dialog)> onDialog;
    int dialogResult = 0;

    // Desktop shell: every address handed over.
    QList<QUrl> opened;

    // File dialogs: the next answers (empty = cancelled) and the requests seen.
    QStringList fileAnswers;
    QList<platform::FileDialogRequest> fileRequests;

    // Clock.
    QDateTime now{QDate(2026, 12, 9), QTime(10, 30)};

    // Print output: the jobs printed (documents and suggested file names); `printResult` other
    // than Printed is a cancelled print dialog or a printer that did not take the pages.
    QList<platform::PrintJob> printJobs;
    platform::PrintResult printResult = platform::PrintResult::Printed;
    // Non-empty: the output fails outright (a driver's error, memory) by throwing this text.
    QString printFailure;
    // The documents printed, in order: read them by item name (`printed().last().pages[0].itemsNamed(...)`).
    QList<report::PreparedReport> printed() const;

    // Camera: none when `cameraPresent` is false; a non-empty `cameraStartError` refuses the start.
    // While it runs, `sendFrame` and `failCamera` act as the camera would.
    bool cameraPresent = true;
    QString cameraStartError;
    bool cameraRunning = false;
    void sendFrame(const QImage& frame) const;
    void failCamera(const QString& error);
    std::function<void(const QImage&)> cameraFrames;     // set by the running camera
    std::function<void(const QString&)> cameraFailures;  // set by the running camera
    // A camera seam on this fake camera of its own, for what installs its own seam (the plugin loader).
    std::unique_ptr<platform::Cameras> makeCameras();
};

// A fresh, empty program folder for one test.
class TempProgramFolder {
public:
    TempProgramFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};
