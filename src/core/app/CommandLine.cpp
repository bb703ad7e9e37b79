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

QString emptyValue(const QCommandLineParser& parser, const QList<QCommandLineOption>& options)
{
    for (const QCommandLineOption& option : options) {
        if (parser.values(option).contains(QString()))
            return QStringLiteral("l'opzione --%1 \u00E8 indicata senza valore").arg(option.names().back());
    }
    return {};
}

}  // namespace commandLine
