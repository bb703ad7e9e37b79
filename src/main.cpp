#include "app/Formats.h"
#include "app/Product.h"
#include "app/Version.h"
#include "app/ProgramFolder.h"
#include "app/QtTranslations.h"
#include "app/Screens.h"
#include "app/Startup.h"
#include "app/Password.h"
#include "platform/WidgetPlatform.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(product::name);
    QApplication::setApplicationVersion(product::version);
    qtTranslations::install();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Gestione di tornei di calcio, squadre e giocatori.\n"
        "La password di primo accesso è \"%1\".").arg(product::firstAccessPassword));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption folderOption(
        {QStringLiteral("f"), QStringLiteral("cartella")},
        QStringLiteral("Cartella dei dati del programma (predefinita: la cartella dell'eseguibile)."),
        QStringLiteral("cartella"));
    parser.addOption(folderOption);
    parser.process(app);
    if (parser.isSet(folderOption))
        programFolder::set(parser.value(folderOption));

    formats::install();
    installWidgetPlatform();
    startup::prepareProgramFolder();

    Screens screens;
    QObject::connect(&screens, &Screens::quitRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    QApplication::setQuitOnLastWindowClosed(false);
    screens.login()->show();
    return QApplication::exec();
}
