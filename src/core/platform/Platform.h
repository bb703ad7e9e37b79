#pragma once

// The seams between the program and what a test cannot do for real: message boxes, modal
// dialogs, file dialogs, the desktop shell, the clock and print output. Each has a real default
// (installed by the desktop program) and a test double (tests/support). Nothing here needs
// widgets, so core code and screens talk to the same interfaces.

#include "output/ReportLayout.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <memory>

class QImage;
class QObject;

namespace platform {

// The five message boxes every screen uses. Titles: "Warning", "Error", "Information",
// "Confirm"; the plain box carries the product name.
enum class MessageKind { Warning, Error, Information, Question, Plain };

// The buttons of a question box.
enum class Answer { Yes, No, Cancel };

// What a question offers: "Sì" and "No", with "Annulla" when `cancel`; `preset` is the button
// Enter presses.
struct Choices {
    bool cancel = false;
    Answer preset = Answer::Yes;
};

class Messages {
public:
    virtual ~Messages() = default;
    // Shows a box that tells something; a Question shown here is asked with the usual choices.
    virtual void show(MessageKind kind, const QString& text, QObject* owner) = 0;
    // Shows a question box and returns the button pressed (Cancel only when it is offered).
    virtual Answer ask(const QString& text, const Choices& choices, QObject* owner) = 0;
};

// Runs a modal dialog to its end. The real one calls exec(); the test double records the
// dialog and lets the test act on it without a nested event loop.
class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    virtual int run(QObject* dialog) = 0;
};

struct FileDialogRequest {
    QString title;
    QString folder;
    QString initialName;
    QStringList filters;  // "Immagini JPEG (*.jpg)" style
    // Saving: added to a name typed without an extension before the dialog asks whether to
    // overwrite an existing file.
    QString defaultSuffix;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Empty text when the user cancels.
    virtual QString openFile(const FileDialogRequest& request, QObject* owner) = 0;
    virtual QString saveFile(const FileDialogRequest& request, QObject* owner) = 0;
};

// The desktop's default-application opener.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void open(const QUrl& url) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

// What the print output receives: the prepared document itself, so the real output paints it
// through the report painter and a test double can keep it and read its items by name.
struct PrintJob {
    report::PreparedReport document;
    // The file name (no folder) the print dialog suggests when printing to a PDF file; empty:
    // the document's title.
    QString fileName;
};

// How a print ended: the user needs to hear of a failure, never of a cancel.
enum class PrintResult { Printed, Cancelled, Failed };

class PrintOutput {
public:
    virtual ~PrintOutput() = default;
    // Asks the user for a printer (or a PDF file) and the pages, and prints. Failed: the printer
    // or the file did not take the pages. A document that cannot be drawn throws ReportError.
    virtual PrintResult print(const PrintJob& job, QObject* owner) = 0;
};

// A camera's stream of pictures. Frames are handed to `onFrame` on the user-interface thread
// only, newest first: a frame that arrives while an earlier one waits replaces it.
class FrameSource {
public:
    virtual ~FrameSource() = default;
    // Starts the camera. An error it knows at once is returned (empty text: started); one that
    // comes later goes to `onError`, after which no more frames come.
    virtual QString start(std::function<void(const QImage& frame)> onFrame,
                          std::function<void(const QString& error)> onError) = 0;
    virtual void stop() = 0;
};

class Cameras {
public:
    virtual ~Cameras() = default;
    // Whether this installation can use a camera at all: the camera support is a library of its
    // own, loaded here the first time it is asked for; false when it is missing.
    virtual bool supported() { return true; }
    // The machine's default camera; null when it has none.
    virtual std::unique_ptr<FrameSource> defaultCamera() = 0;
};

Messages& messages();
DialogRunner& dialogs();
FileDialogs& fileDialogs();
Shell& shell();
Clock& clock();
PrintOutput& printOutput();
Cameras& cameras();

// Installing replaces the current implementation (the previous one is destroyed). The desktop
// program installs the real ones at start-up; tests install doubles.
void install(std::unique_ptr<Messages> impl);
void install(std::unique_ptr<DialogRunner> impl);
void install(std::unique_ptr<FileDialogs> impl);
void install(std::unique_ptr<Shell> impl);
void install(std::unique_ptr<Clock> impl);
void install(std::unique_ptr<PrintOutput> impl);
void install(std::unique_ptr<Cameras> impl);  // nothing installed: a machine without a camera

// Prints through the print output; false when the user cancelled. A printer or file that did not
// take the pages throws report::ReportError with `printFailedMessage`, as a document that cannot
// be drawn throws, so every screen reports both through its one failure path.
bool print(const PrintJob& job, QObject* owner);
// For the screens without a failure message of their own: a failure is shown in an error box with
// the engine's report. False when the document did not print (cancelled or failed).
bool printReportingFailure(const PrintJob& job, QObject* owner);
inline const QString printFailedMessage = QStringLiteral(
    "Attenzione: la stampa non \u00E8 andata a buon fine.\n\r\n\rSi consiglia di controllare le impostazioni "
    "della stampante.");

// Convenience wrappers for the five boxes.
void warningBox(const QString& text, QObject* owner = nullptr);
void errorBox(const QString& text, QObject* owner = nullptr);
void informationBox(const QString& text, QObject* owner = nullptr);
// Yes/No; true on Yes. `preset` No for a question whose Yes cannot be undone.
bool questionBox(const QString& text, QObject* owner = nullptr, Answer preset = Answer::Yes);
Answer askBox(const QString& text, const Choices& choices, QObject* owner = nullptr);
void plainBox(const QString& text, QObject* owner = nullptr);

}  // namespace platform
