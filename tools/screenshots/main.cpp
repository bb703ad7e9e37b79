// Pictures of the real screens for the user guide: golvera_screenshots OUTDIR. Runs the screens
// on sample archives in a temporary program folder, opens the dialogs through their own buttons
// and saves each screen as OUTDIR/<name>.png. Run on the offscreen platform by the build, so the
// guide's pictures always show the program as it is built.

#include "SampleData.h"

#include "app/Password.h"
#include "app/Formats.h"
#include "app/ProgramFolder.h"
#include "players/PhotoStore.h"
#include "app/QtTranslations.h"
#include "app/Screens.h"
#include "platform/Platform.h"
#include "platform/WidgetPlatform.h"
#include "players/Giocatori.h"
#include "teams/Squadre.h"
#include "tournament/Torneo.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <functional>
#include <utility>

namespace {

// Work screens are shown at the size of their panel and margin, whatever the screen's size.
constexpr QSize WorkScreenSize{1019, 716};
const QDateTime Today{QDate(2026, 12, 11), QTime(10, 30)};

QString outputFolder;
QStringList failures;

// Lets the screen fill and paint: queued work, timers of a few milliseconds, camera frames.
void settle()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 150)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void save(QWidget* screen, const QString& name)
{
    settle();
    const QString file = outputFolder + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!screen->grab().save(file))
        failures << file;
}

// Dialogs open modally through this runner: it shows the one the next step expects, presses the
// step's button in it when there is one (which may open a dialog of its own, for the next step),
// saves its picture and closes it, so no dialog waits for a user.
struct Step {
    QString name;   // the picture; empty: none of this dialog
    QString press;  // the object name of a button to press first
};

class Capture final : public platform::DialogRunner {
public:
    void expect(QList<Step> steps) { m_steps = std::move(steps); }
    // The steps no dialog came for.
    QList<Step> missed() { return std::exchange(m_steps, {}); }

    int run(QObject* object) override
    {
        auto* dialog = qobject_cast<QWidget*>(object);
        if (!dialog || m_steps.isEmpty())
            return QDialog::Rejected;
        const Step step = m_steps.takeFirst();
        dialog->setWindowState(Qt::WindowNoState);
        if (dialog->minimumSize() != dialog->maximumSize())
            dialog->resize(WorkScreenSize);
        dialog->show();
        settle();
        if (!step.press.isEmpty()) {
            if (auto* button = dialog->findChild<QAbstractButton*>(step.press))
                button->click();
            else
                failures << QStringLiteral("%1: no button %2").arg(dialog->objectName(), step.press);
        }
        if (!step.name.isEmpty())
            save(dialog, step.name);
        dialog->hide();
        return QDialog::Rejected;
    }

private:
    QList<Step> m_steps;
};

// A message box would wait for a user who is not there: the run notes it as a failure and closes
// it (a question is answered No).
void closeMessageBoxes()
{
    auto* watch = new QTimer(qApp);
    QObject::connect(watch, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            failures << QStringLiteral("unexpected message: ") + box->text();
            box->done(QMessageBox::No);
        }
    });
    watch->start(100);
}

class FixedClock final : public platform::Clock {
public:
    QDateTime now() const override { return Today; }
};

// The webcam shows the first player's picture as its live frame.
class StillCamera final : public platform::Cameras {
    class Source final : public platform::FrameSource {
    public:
        QString start(std::function<void(const QImage&)> onFrame, std::function<void(const QString&)>) override
        {
            QImage frame(640, 480, QImage::Format_RGB32);
            frame.fill(QColor(0x55, 0x77, 0x99));
            QPainter(&frame).drawImage(QRect(170, 0, 300, 400), QImage(photoStore::path(1)));
            onFrame(frame);
            return {};
        }
        void stop() override {}
    };

public:
    std::unique_ptr<platform::FrameSource> defaultCamera() override { return std::make_unique<Source>(); }
};

// The file chooser picks the sample sheet, for the import window.
class SampleSheetChooser final : public platform::FileDialogs {
public:
    QString openFile(const platform::FileDialogRequest&, QObject*) override { return sampleData::playerSheetPath(); }
    QString saveFile(const platform::FileDialogRequest&, QObject*) override { return {}; }
};

Capture* capture = nullptr;

// Presses `button` of `screen` and takes the pictures of the dialogs it opens.
void openDialog(QWidget* screen, const char* button, QList<Step> steps)
{
    auto* pressed = screen->findChild<QAbstractButton*>(QLatin1String(button));
    if (!pressed) {
        failures << QStringLiteral("%1: no button %2").arg(screen->objectName(), QLatin1String(button));
        return;
    }
    capture->expect(std::move(steps));
    pressed->click();
    for (const Step& step : capture->missed())
        failures << QStringLiteral("%1 opened no dialog for %2").arg(QLatin1String(button), step.name);
}
void openDialog(QWidget* screen, const char* button, const QString& name) { openDialog(screen, button, {{name, {}}}); }

QWidget* showWorkScreen(Navigator& navigator, Screen id)
{
    QWidget* screen = navigator.screen(id);
    screen->setWindowState(Qt::WindowNoState);
    screen->resize(WorkScreenSize);
    screen->show();
    settle();
    return screen;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        QTextStream(stderr) << "usage: golvera_screenshots OUTDIR\n";
        return 2;
    }
    outputFolder = app.arguments().at(1);
    QDir().mkpath(outputFolder);
    qtTranslations::install();
    QTemporaryDir folder;
    programFolder::set(folder.path(), QString());
    formats::install();
    installWidgetPlatform();
    auto runner = std::make_unique<Capture>();
    capture = runner.get();
    platform::install(std::move(runner));
    closeMessageBoxes();
    platform::install(std::make_unique<FixedClock>());
    platform::install(std::make_unique<StillCamera>());
    platform::install(std::make_unique<SampleSheetChooser>());
    sampleData::write();

    Screens screens;
    Navigator& navigator = screens.navigator();
    screens.login()->show();
    save(screens.login(), QStringLiteral("accesso"));
    screens.login()->hide();
    save(showWorkScreen(navigator, Screen::Launcher), QStringLiteral("avvio"));

    auto* tournament = static_cast<TfrmTorneo*>(showWorkScreen(navigator, Screen::TournamentEditor));
    tournament->setTournament(sampleData::tournamentPath(), sampleData::tournamentName);
    tournament->showRecord(1);
    save(tournament, QStringLiteral("torneo"));
    openDialog(tournament, "impSquadra", QStringLiteral("importa-squadra"));
    openDialog(tournament, "btnCalcolatrice", QStringLiteral("calcolatrice"));
    openDialog(tournament, "cmdAnteprima", {{{}, QStringLiteral("btnStampa")}, {QStringLiteral("anteprima"), {}}});
    tournament->hide();

    QWidget* chooser = showWorkScreen(navigator, Screen::StandingsChooser);
    if (auto* list = chooser->findChild<QListWidget*>(); list && list->count() > 0)
        list->setCurrentRow(0);
    openDialog(chooser, "btnExcel", QStringLiteral("classifica"));
    chooser->hide();

    auto* teams = static_cast<TfrmSquadre*>(showWorkScreen(navigator, Screen::TeamArchive));
    teams->showRecord(1);
    save(teams, QStringLiteral("squadre"));
    openDialog(teams, "cmdTrova", QStringLiteral("trova-squadre"));
    openDialog(teams, "cmdSelezionate", QStringLiteral("squadre-selezionate"));
    openDialog(teams, "cmdStampa", QStringLiteral("stampa-squadra"));
    openDialog(teams, "cmdEsporta", QStringLiteral("esporta"));
    openDialog(teams, "cmdFile", QStringLiteral("allegati"));
    teams->hide();

    auto* players = static_cast<TfrmGiocatori*>(showWorkScreen(navigator, Screen::PlayerArchive));
    players->showRecord(1);
    save(players, QStringLiteral("giocatori"));
    openDialog(players, "btnWebcam", {{QStringLiteral("webcam"), QStringLiteral("btnAccendi")}});
    openDialog(players, "cmdScadTessere", QStringLiteral("tessere-scadute"));
    openDialog(players, "btnCodFisc", QStringLiteral("codice-fiscale"));
    openDialog(players, "cmdImporta", QStringLiteral("importa-foglio"));
    players->hide();

    for (const QString& failure : std::as_const(failures))
        QTextStream(stderr) << "golvera_screenshots: " << failure << "\n";
    return failures.isEmpty() ? 0 : 1;
}
