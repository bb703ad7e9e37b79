#include "WithdrawalCommand.h"

#include "Terminal.h"

#include "app/Formats.h"
#include "app/ProgramFolder.h"
#include "matches/CalendarFile.h"
#include "storage/ArchiveError.h"
#include "storage/PlayerRecord.h"
#include "storage/TeamRecord.h"
#include "storage/TournamentRecord.h"
#include "tournament/Catalogue.h"
#include "withdrawal/WithdrawalMarks.h"
#include "withdrawal/WithdrawnEntries.h"

#include <QDate>
#include <QDir>
#include <QTextStream>

namespace withdrawalCommand {

namespace {

const QString usage = QStringLiteral(
    "uso: golvera-cli ritira|riammetti squadre|giocatori|<torneo> <posizione> [--cartella <cartella>]");

int usageError(const QString& why)
{
    terminal::err() << "golvera-cli: " << why << '\n' << usage << '\n';
    terminal::err().flush();
    return terminal::BadUsage;
}

struct Target {
    QString path;
    int recordSize = 0;
    QString what;  // "l'archivio delle squadre", "il torneo"
};

// "squadre", "giocatori", or a tournament: its file in the data folder, named with or without
// ".vai", or a path to it.
Target target(const QString& word, const QString& dataFolder)
{
    const QDir folder(dataFolder);
    if (word == QStringLiteral("squadre"))
        return {folder.filePath(programFolder::teamArchiveName), TeamRecord::Size, QStringLiteral("l'archivio delle squadre")};
    if (word == QStringLiteral("giocatori"))
        return {folder.filePath(programFolder::playerArchiveName), PlayerRecord::Size,
                QStringLiteral("l'archivio dei giocatori")};
    QString file = word;
    if (!file.endsWith(catalogue::extension, Qt::CaseInsensitive))
        file += catalogue::extension;
    const QString path = file.contains(QLatin1Char('/')) ? file : folder.filePath(file);
    return {path, TournamentRecord::Size, QStringLiteral("il torneo")};
}

// A tournament's calendar counts its matches anew, as its rule for withdrawn teams says.
int recount(const QString& tournament)
{
    const QString notCounted = QStringLiteral("la scheda resta come indicato, ma i punti del calendario non sono stati "
                                              "ricalcolati: ");
    try {
        withdrawal::recount(tournament);
        return terminal::Done;
    } catch (const matches::CalendarDamaged& damaged) {
        return terminal::failure(notCounted + damaged.message());
    } catch (const std::exception& error) {
        return terminal::failure(notCounted + QString::fromLocal8Bit(error.what()));
    }
}

}  // namespace

bool handles(const QStringList& arguments)
{
    return !arguments.isEmpty()
           && (arguments.front() == QStringLiteral("ritira") || arguments.front() == QStringLiteral("riammetti"));
}

int run(const QStringList& arguments, const QString& dataFolder)
{
    if (arguments.size() != 3)
        return usageError(QStringLiteral("%1 vuole l'archivio e la posizione della scheda").arg(arguments.front()));
    const bool withdraw = arguments.front() == QStringLiteral("ritira");
    bool number = false;
    const qint64 position = arguments.at(2).toLongLong(&number);
    if (!number || position < 1)
        return usageError(QStringLiteral("la posizione vuole un numero intero da 1 in su, non \"%1\"").arg(arguments.at(2)));

    const Target archive = target(arguments.at(1), dataFolder);
    // A missing archive is most likely a wrong folder or name: nothing is created here.
    if (const int checked = terminal::checkReadable(archive.path, archive.what, QDir::toNativeSeparators(archive.path));
        checked != terminal::Done)
        return checked;

    const QDate today = QDate::currentDate();
    try {
        switch (withdrawal::apply(archive.path, archive.recordSize,
                                  {{position, withdraw ? withdrawal::Action::Withdraw : withdrawal::Action::BringBack, {}, {}}},
                                  today)) {
        case withdrawal::Outcome::Done:
            terminal::out() << (withdraw ? QStringLiteral("Scheda %1 ritirata il %2.\n").arg(position).arg(formats::dateText(today))
                                         : QStringLiteral("Scheda %1 riammessa.\n").arg(position));
            terminal::out().flush();
            // A tournament's calendar counts its matches anew, as its rule for withdrawn teams says.
            if (archive.recordSize == TournamentRecord::Size)
                return recount(archive.path);
            return terminal::Done;
        case withdrawal::Outcome::NoSuchRecord:
            return terminal::failure(QStringLiteral("%1 \"%2\" non ha la scheda %3")
                                         .arg(archive.what, QDir::toNativeSeparators(archive.path))
                                         .arg(position));
        case withdrawal::Outcome::AlreadyWithdrawn:
            return terminal::failure(QStringLiteral("la scheda %1 \u00E8 gi\u00E0 ritirata").arg(position));
        case withdrawal::Outcome::NotWithdrawn:
            return terminal::failure(QStringLiteral("la scheda %1 non \u00E8 ritirata").arg(position));
        }
    } catch (const ArchiveBusy& busy) {
        return terminal::failure(QStringLiteral("%1 \u00E8 in uso dalla postazione %2: riprovare fra poco")
                                     .arg(archive.what, busy.station()));
    } catch (const ArchiveError& error) {
        return terminal::failure(QStringLiteral("impossibile scrivere il ritiro (%1)").arg(QString::fromLocal8Bit(error.what())));
    }
    return terminal::Failed;
}

}  // namespace withdrawalCommand
