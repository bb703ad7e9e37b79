#include "ArchiveCommands.h"

#include "backup/Backup.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace archiveCommands {

bool handles(const QStringList& arguments)
{
    return !arguments.isEmpty()
           && (arguments.front() == QStringLiteral("backup") || arguments.front() == QStringLiteral("ripristina"));
}

int run(const QStringList& arguments, const QString& dataFolder, QTextStream& out, QTextStream& err)
{
    if (arguments.front() == QStringLiteral("backup")) {
        if (arguments.size() != 1) {
            err << "golvera-cli: uso: golvera-cli backup [--cartella <cartella>]\n";
            return 2;
        }
        const backup::Outcome outcome = backup::make(dataFolder, QDate::currentDate(), true);
        if (!outcome.error.isEmpty()) {
            err << "golvera-cli: backup non riuscito: " << outcome.error << '\n';
            return 1;
        }
        out << backup::report(outcome).join(QLatin1Char('\n')) << '\n';
        return 0;
    }
    if (arguments.size() != 2) {
        err << "golvera-cli: uso: golvera-cli ripristina <backup.zip> [--cartella <cartella>]\n";
        return 2;
    }
    if (!QFileInfo(arguments.at(1)).isFile()) {
        err << "golvera-cli: il backup \"" << arguments.at(1) << "\" non esiste\n";
        return 1;
    }
    const QString failure = backup::restore(arguments.at(1), dataFolder);
    if (!failure.isEmpty()) {
        err << "golvera-cli: ripristino non eseguito: " << failure << '\n';
        return 1;
    }
    out << "Backup ripristinato in " << QDir::toNativeSeparators(dataFolder) << '\n';
    return 0;
}

}  // namespace archiveCommands
