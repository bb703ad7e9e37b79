#include "app/CommandLine.h"

#include <QCommandLineParser>

namespace commandLine {

StandardOptions addStandardOptions(QCommandLineParser& parser)
{
    StandardOptions options{
        QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Mostra questo aiuto.")),
        QCommandLineOption({QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Mostra la versione del programma.")),
    };
    parser.addOption(options.help);
    parser.addOption(options.version);
    return options;
}

}  // namespace commandLine
