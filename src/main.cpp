#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/Formats.h"
#include "app/Product.h"
#include "app/Version.h"
#include "app/ProgramFolder.h"
#include "app/QtTranslations.h"
#include "app/Screens.h"
#include "app/Startup.h"
#include "app/Password.h"
#include "common/Style.h"
#include "platform/WidgetPlatform.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <memory>

int main(int argc, char* argv[])
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Gestione di tornei di calcio, squadre e giocatori.\n"
        "La password di primo accesso è \"%1\".").arg(product::firstAccessPassword));
    const auto [helpOption, versionOption] = commandLine::addStandardOptions(parser);
    const QCommandLineOption folderOption(
        {QStringLiteral("f"), QStringLiteral("cartella")},
        QStringLiteral("Cartella dei dati del programma (predefinita: la cartella dell'eseguibile, o quella dei "
                       "dati dell'utente quando l'eseguibile sta in una cartella non scrivibile)."),
        QStringLiteral("cartella"));
    parser.addOption(folderOption);

    // Help and version need no window: read before any application exists, they are answered
    // without starting the windowing system, so also where there is no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    parser.parse(arguments);
    if (const QString empty = commandLine::emptyValue(parser, {folderOption}); !empty.isEmpty()) {
        std::fprintf(stderr, "golvera: %s\n", qUtf8Printable(empty));
        return 2;
    }
    const bool wordsOnly = parser.isSet(helpOption) || parser.isSet(versionOption);
    std::unique_ptr<QCoreApplication> application =
        wordsOnly ? std::make_unique<QCoreApplication>(argc, argv) : std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(product::name);
    QCoreApplication::setApplicationVersion(product::version);
    qtTranslations::install();
    parser.process(*application);
    if (parser.isSet(helpOption)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(versionOption)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    style::installFocusRing(*qobject_cast<QApplication*>(application.get()));

    const QString programDir = QCoreApplication::applicationDirPath();
    const dataFolder::Choice data = dataFolder::chooseFor(parser.value(folderOption), programDir);
    if (!dataFolder::prepare(data, dataFolder::shippedFile(programDir, programFolder::passwordStoreName)))
        qWarning("cannot prepare the data folder %s", qUtf8Printable(data.folder));
    programFolder::set(data.folder, dataFolder::describe(data));

    formats::install();
    installWidgetPlatform();
    startup::prepareProgramFolder();
    startup::startDailyBackup(QDate::currentDate());

    Screens screens;
    QObject::connect(&screens, &Screens::quitRequested, application.get(), &QCoreApplication::quit, Qt::QueuedConnection);
    QApplication::setQuitOnLastWindowClosed(false);
    screens.login()->show();
    return QApplication::exec();
}
