#include "FakePlatform.h"

#include "app/ProgramFolder.h"

namespace {

class RecordingMessages final : public platform::Messages {
public:
    explicit RecordingMessages(FakePlatform& fake) : m_fake(fake) {}
    void show(platform::MessageKind kind, const QString& text, QObject* owner) override
    {
        if (kind == platform::MessageKind::Question)
            ask(text, {}, owner);
        else
            m_fake.messages.append({kind, text});
    }
    platform::Answer ask(const QString& text, const platform::Choices& choices, QObject*) override
    {
        using platform::Answer;
        m_fake.messages.append({platform::MessageKind::Question, text, choices});
        const Answer answer = m_fake.answers.isEmpty() ? choices.preset : m_fake.answers.takeFirst();
        return answer == Answer::Cancel && !choices.cancel ? Answer::No : answer;
    }

private:
    FakePlatform& m_fake;
};

class RecordingDialogs final : public platform::DialogRunner {
public:
    explicit RecordingDialogs(FakePlatform& fake) : m_fake(fake) {}
    int run(QObject* dialog) override
    {
        m_fake.dialogsRun.append(QString::fromLatin1(dialog->metaObject()->className()));
        if (m_fake.onDialog)
            m_fake.onDialog(dialog);
        return m_fake.dialogResult;
    }

private:
    FakePlatform& m_fake;
};

class ScriptedFileDialogs final : public platform::FileDialogs {
public:
    explicit ScriptedFileDialogs(FakePlatform& fake) : m_fake(fake) {}
    QString openFile(const platform::FileDialogRequest& request, QObject*) override { return answer(request); }
    QString saveFile(const platform::FileDialogRequest& request, QObject*) override { return answer(request); }

private:
    QString answer(const platform::FileDialogRequest& request)
    {
        m_fake.fileRequests.append(request);
        return m_fake.fileAnswers.isEmpty() ? QString() : m_fake.fileAnswers.takeFirst();
    }
    FakePlatform& m_fake;
};

class RecordingShell final : public platform::Shell {
public:
    explicit RecordingShell(FakePlatform& fake) : m_fake(fake) {}
    void open(const QUrl& url) override { m_fake.opened.append(url); }

private:
    FakePlatform& m_fake;
};

class FixedClock final : public platform::Clock {
public:
    explicit FixedClock(FakePlatform& fake) : m_fake(fake) {}
    QDateTime now() const override { return m_fake.now; }

private:
    FakePlatform& m_fake;
};

class RecordingPrintOutput final : public platform::PrintOutput {
public:
    explicit RecordingPrintOutput(FakePlatform& fake) : m_fake(fake) {}
    platform::PrintResult print(const platform::PrintJob& job, QObject*) override
    {
        if (!m_fake.printFailure.isEmpty())
            throw report::ReportError(m_fake.printFailure.toStdString());
        if (m_fake.printResult == platform::PrintResult::Printed)
            m_fake.printJobs.append(job);
        return m_fake.printResult;
    }

private:
    FakePlatform& m_fake;
};

class FakeFrameSource final : public platform::FrameSource {
public:
    explicit FakeFrameSource(FakePlatform& fake) : m_fake(fake) {}
    ~FakeFrameSource() override { stop(); }
    QString start(std::function<void(const QImage&)> onFrame, std::function<void(const QString&)> onError) override
    {
        if (!m_fake.cameraStartError.isEmpty())
            return m_fake.cameraStartError;
        m_fake.cameraRunning = true;
        m_fake.cameraFrames = std::move(onFrame);
        m_fake.cameraFailures = std::move(onError);
        return {};
    }
    void stop() override
    {
        m_fake.cameraRunning = false;
        m_fake.cameraFrames = nullptr;
        m_fake.cameraFailures = nullptr;
    }

private:
    FakePlatform& m_fake;
};

class FakeCameras final : public platform::Cameras {
public:
    explicit FakeCameras(FakePlatform& fake) : m_fake(fake) {}
    std::unique_ptr<platform::FrameSource> defaultCamera() override
    {
        if (!m_fake.cameraPresent)
            return nullptr;
        return std::make_unique<FakeFrameSource>(m_fake);
    }

private:
    FakePlatform& m_fake;
};

}  // namespace

std::unique_ptr<platform::Cameras> FakePlatform::makeCameras() { return std::make_unique<FakeCameras>(*this); }

void FakePlatform::sendFrame(const QImage& frame) const
{
    if (cameraRunning && cameraFrames)
        cameraFrames(frame);
}

void FakePlatform::failCamera(const QString& error)
{
    const auto failures = cameraFailures;
    cameraRunning = false;
    cameraFrames = nullptr;
    cameraFailures = nullptr;
    if (failures)
        failures(error);
}

FakePlatform::FakePlatform()
{
    platform::install(std::make_unique<RecordingMessages>(*this));
    platform::install(std::make_unique<RecordingDialogs>(*this));
    platform::install(std::make_unique<ScriptedFileDialogs>(*this));
    platform::install(std::make_unique<RecordingShell>(*this));
    platform::install(std::make_unique<FixedClock>(*this));
    platform::install(std::make_unique<RecordingPrintOutput>(*this));
    platform::install(makeCameras());
}

FakePlatform::~FakePlatform()
{
    platform::install(std::unique_ptr<platform::Messages>());
    platform::install(std::unique_ptr<platform::DialogRunner>());
    platform::install(std::unique_ptr<platform::FileDialogs>());
    platform::install(std::unique_ptr<platform::PrintOutput>());
    platform::install(std::unique_ptr<platform::Shell>());
    platform::install(std::unique_ptr<platform::Clock>());
    platform::install(std::unique_ptr<platform::Cameras>());
}

QList<platform::Answer> FakePlatform::yesNo(const QList<bool>& yes)
{
    QList<platform::Answer> answers;
    for (bool y : yes)
        answers.append(y ? platform::Answer::Yes : platform::Answer::No);
    return answers;
}

QList<report::PreparedReport> FakePlatform::printed() const
{
    QList<report::PreparedReport> documents;
    for (const platform::PrintJob& job : printJobs)
        documents.append(job.document);
    return documents;
}

TempProgramFolder::TempProgramFolder()
{
    programFolder::set(m_dir.path());
}
