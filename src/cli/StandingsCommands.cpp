#include "StandingsCommands.h"

#include "PdfOutput.h"
#include "Terminal.h"
#include "matches/CalendarFile.h"
#include "publish/TournamentPage.h"
#include "standings/CalendarStandings.h"
#include "standings/CompleteStandingsText.h"
#include "storage/ArchiveError.h"
#include "storage/RecordFile.h"
#include "withdrawal/WithdrawnEntries.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTextStream>

namespace standingsCommands {
namespace {

using terminal::err;
using terminal::failure;
using terminal::out;

const QString usage = QStringLiteral(
    "uso: golvera-cli classifica completa <torneo.vai> [--girone <girone>] [--pdf <file>]\n"
    "     golvera-cli marcatori <torneo.vai> [--pdf <file>]\n"
    "     golvera-cli pubblica <torneo.vai> --uscita <cartella>");

int usageError(const QString& message)
{
    err() << "golvera-cli: " << message << '\n' << usage << '\n';
    err().flush();
    return terminal::BadUsage;
}

int printed(const QStringList& lines)
{
    for (const QString& line : lines)
        out() << line << '\n';
    out().flush();
    return terminal::outputDelivered() ? terminal::Done : failure(QStringLiteral("impossibile scrivere sullo standard output"));
}

QString tournamentName(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    return name.endsWith(QStringLiteral(".vai"), Qt::CaseInsensitive) ? name.chopped(4) : name;
}

int completeStandings(const QString& path, matches::StoredCalendar& stored, const QStringList& names, const Options& options)
{
    QString error;
    standings::criteria(stored.calendar.tieBreak, &error);
    if (!error.isEmpty())
        return failure(error);
    const QStringList groups = standings::standingsGroups(stored.calendar);
    if (options.groupSet && !groups.contains(options.group))
        return failure(QStringLiteral("il calendario non ha il girone \"%1\"").arg(options.group));
    const matches::Withdrawn withdrawn = withdrawal::entries(path);
    QStringList lines;
    QStringList printedPages;
    bool drawn = false;
    for (const QString& group : groups) {
        if (options.groupSet && group != options.group)
            continue;
        bool drawnHere = false;
        const standings::StandingsTable table = standings::settleStandings(stored.calendar, names, group, withdrawn, &drawnHere);
        drawn = drawn || drawnHere;
        // Without --girone, each group under its name, a blank line between groups.
        if (!options.groupSet && !group.isEmpty()) {
            if (!lines.isEmpty())
                lines.append(QString());
            lines.append(QStringLiteral("Girone ") + group);
        }
        lines += standings::tabLines(table);
        for (const QString& note : table.notes)
            err() << note << '\n';
        if (!group.isEmpty())
            printedPages.append(QStringLiteral("Girone ") + group);
        printedPages += standings::printedLines(table);
        printedPages.append(QString());
    }
    if (drawn) {
        // A draw is made once: kept with the calendar, so the next standings show the same one.
        try {
            matches::saveCalendar(path, stored);
            err() << "Sorteggio fatto e conservato con il calendario.\n";
        } catch (const RecordChanged&) {
            err() << "Sorteggio non conservato: il calendario \u00E8 stato cambiato da un'altra postazione. "
                     "Ripetere il comando.\n";
        } catch (const ArchiveError& failed) {
            err() << "Sorteggio non conservato (" << QString::fromLocal8Bit(failed.what()) << ").\n";
        }
    }
    err().flush();
    const int code = printed(lines);
    if (code != terminal::Done || options.pdf.isEmpty())
        return code;
    const QString title = standings::CompleteStandingsName + QLatin1Char(' ') + tournamentName(path)
                          + (options.groupSet && !options.group.isEmpty() ? QStringLiteral(" - girone ") + options.group : QString());
    return pdfOutput::writeList(title, printedPages, options.pdf);
}

int topScorers(const QString& path, const matches::StoredCalendar& stored, const QStringList& names, const Options& options)
{
    const QList<standings::ScorerTotal> scorers = standings::topScorers(stored.calendar, names, withdrawal::entries(path));
    const int code = printed(standings::tabLines(scorers));
    if (code != terminal::Done || options.pdf.isEmpty())
        return code;
    return pdfOutput::writeList(standings::TopScorersName + QLatin1Char(' ') + tournamentName(path),
                                standings::printedLines(scorers), options.pdf);
}

}  // namespace

bool handles(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return false;
    return arguments.front() == QStringLiteral("marcatori") || arguments.front() == QStringLiteral("pubblica")
           || (arguments.front() == QStringLiteral("classifica") && arguments.value(1) == QStringLiteral("completa"));
}

int run(const QStringList& arguments, const Options& options)
{
    const bool complete = arguments.front() == QStringLiteral("classifica");
    const bool publishing = arguments.front() == QStringLiteral("pubblica");
    if (arguments.size() != (complete ? 3 : 2))
        return usageError(QStringLiteral("indicare il file del torneo"));
    if (options.groupSet && !complete)
        return usageError(QStringLiteral("--girone vale solo per la classifica completa"));
    if (publishing != options.outputSet)
        return usageError(publishing ? QStringLiteral("pubblica vuole --uscita <cartella>")
                                     : QStringLiteral("--uscita vale solo per il comando pubblica"));
    if (publishing && !options.pdf.isEmpty())
        return usageError(QStringLiteral("--pdf non vale per il comando pubblica"));
    const QString path = arguments.last();
    if (const int checked = terminal::checkReadable(path, QStringLiteral("il torneo"), path); checked != terminal::Done)
        return checked;
    try {
        const QStringList names = standings::entryNames(path);
        if (!matches::hasCalendar(path))
            return failure(QStringLiteral("il torneo \"%1\" non ha un calendario").arg(path));
        matches::StoredCalendar stored = matches::readCalendar(path);
        if (complete)
            return completeStandings(path, stored, names, options);
        if (!publishing)
            return topScorers(path, stored, names, options);
        QString error;
        if (!publish::publishTournament(path, stored, names, options.output, QDateTime::currentDateTime(), &error))
            return failure(error);
        out() << "Pubblicato in " << QFileInfo(options.output).absoluteFilePath() << '\n';
        out().flush();
        return terminal::Done;
    } catch (const matches::CalendarDamaged& damaged) {
        return failure(damaged.message());
    } catch (const ArchiveError& failed) {
        return failure(QStringLiteral("impossibile leggere il torneo \"%1\" (%2)").arg(path, QString::fromLocal8Bit(failed.what())));
    }
}

}  // namespace standingsCommands
