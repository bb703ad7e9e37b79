#include "platform/Platform.h"

#include <QDesktopServices>
#include <QtGlobal>

namespace platform {
namespace {

class SystemShell final : public Shell {
public:
    void open(const QUrl& url) override { QDesktopServices::openUrl(url); }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class NoCameras final : public Cameras {
public:
    std::unique_ptr<FrameSource> defaultCamera() override { return nullptr; }
};

struct Seams {
    std::unique_ptr<Messages> messages;
    std::unique_ptr<DialogRunner> dialogs;
    std::unique_ptr<FileDialogs> fileDialogs;
    std::unique_ptr<Shell> shell = std::make_unique<SystemShell>();
    std::unique_ptr<Clock> clock = std::make_unique<SystemClock>();
    std::unique_ptr<PrintOutput> printOutput;
    std::unique_ptr<Cameras> cameras = std::make_unique<NoCameras>();
};

Seams& seams()
{
    static Seams instance;
    return instance;
}

template <typename T>
T& required(const std::unique_ptr<T>& impl, const char* what)
{
    if (!impl)
        qFatal("No %s installed: the desktop program or the test must install one first", what);
    return *impl;
}

}  // namespace

Messages& messages() { return required(seams().messages, "message boxes"); }
DialogRunner& dialogs() { return required(seams().dialogs, "dialog runner"); }
FileDialogs& fileDialogs() { return required(seams().fileDialogs, "file dialogs"); }
Shell& shell() { return *seams().shell; }
Clock& clock() { return *seams().clock; }
PrintOutput& printOutput() { return required(seams().printOutput, "print output"); }
Cameras& cameras() { return *seams().cameras; }

void install(std::unique_ptr<Messages> impl) { seams().messages = std::move(impl); }
void install(std::unique_ptr<DialogRunner> impl) { seams().dialogs = std::move(impl); }
void install(std::unique_ptr<FileDialogs> impl) { seams().fileDialogs = std::move(impl); }
// Installing nothing brings back the system's own shell or clock.
void install(std::unique_ptr<Shell> impl)
{
    seams().shell = impl ? std::move(impl) : std::make_unique<SystemShell>();
}
void install(std::unique_ptr<Clock> impl)
{
    seams().clock = impl ? std::move(impl) : std::make_unique<SystemClock>();
}
void install(std::unique_ptr<PrintOutput> impl) { seams().printOutput = std::move(impl); }
void install(std::unique_ptr<Cameras> impl)
{
    seams().cameras = impl ? std::move(impl) : std::make_unique<NoCameras>();
}

bool print(const PrintJob& job, QObject* owner)
{
    switch (printOutput().print(job, owner)) {
    case PrintResult::Printed:
        return true;
    case PrintResult::Cancelled:
        return false;
    case PrintResult::Failed:
        break;
    }
    throw report::ReportError(printFailedMessage.toStdString());
}

bool printReportingFailure(const PrintJob& job, QObject* owner)
{
    try {
        return print(job, owner);
    } catch (const report::ReportError& failure) {
        errorBox(QString::fromUtf8(failure.what()), owner);
        return false;
    }
}

void warningBox(const QString& text, QObject* owner) { messages().show(MessageKind::Warning, text, owner); }
void errorBox(const QString& text, QObject* owner) { messages().show(MessageKind::Error, text, owner); }
void informationBox(const QString& text, QObject* owner) { messages().show(MessageKind::Information, text, owner); }
bool questionBox(const QString& text, QObject* owner, Answer preset)
{
    return messages().ask(text, {false, preset}, owner) == Answer::Yes;
}
Answer askBox(const QString& text, const Choices& choices, QObject* owner) { return messages().ask(text, choices, owner); }
void plainBox(const QString& text, QObject* owner) { messages().show(MessageKind::Plain, text, owner); }

}  // namespace platform
