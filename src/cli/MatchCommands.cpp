#include "MatchCommands.h"

#include "PdfOutput.h"
#include "Terminal.h"
#include "app/Formats.h"
#include "matches/CalendarFile.h"
#include "matches/Listing.h"
#include "matches/Plan.h"
#include "matches/Results.h"
#include "matches/WriteBack.h"
#include "withdrawal/WithdrawnEntries.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTextStream>

namespace matchCommands {

namespace {

using namespace matches;
using terminal::err;
using terminal::failure;
using terminal::out;

const QString usage = QStringLiteral(
    "uso: golvera-cli calendario TORNEO [--giornata N] [--squadra NOME] [--pdf FILE]\n"
    "     golvera-cli calendario crea TORNEO [--andata-ritorno] [--gironi N] [--eliminazione] [--terzo-posto]\n"
    "                 [--inizio GG/MM/AAAA] [--ogni GIORNI] [--orari HH:MM,...] [--campi NOME;...] [--conferma]\n"
    "     golvera-cli risultato TORNEO N GOL-GOL [--stato giocata|rinviata|sospesa|tavolino|annullata] "
    "[--rigori GOL-GOL]");

int usageError(const QString& message)
{
    err() << "golvera-cli: " << message << "\n\n" << usage << '\n';
    err().flush();
    return terminal::BadUsage;
}

// The tournament as given: a path to its file, or its name in the data folder.
QString tournamentPath(const QString& given, const QString& dataFolder)
{
    if (QFileInfo::exists(given) || given.endsWith(QStringLiteral(".vai"), Qt::CaseInsensitive))
        return given;
    return QDir(dataFolder).filePath(given + QStringLiteral(".vai"));
}

std::optional<int> positiveNumber(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value > 0 ? std::optional<int>(value) : std::nullopt;
}

QString conflictMessage()
{
    return QStringLiteral(
        "Attenzione: il calendario o le squadre del torneo sono stati modificati da un'altra postazione dopo "
        "la lettura. Nulla \u00E8 stato scritto: ripetere il comando.");
}

// Runs `work`, turning the storage failures into their messages.
int guarded(const std::function<int()>& work)
{
    try {
        return work();
    } catch (const CalendarDamaged& damaged) {
        return failure(damaged.message());
    } catch (const RecordChanged&) {
        return failure(conflictMessage());
    } catch (const ArchiveError& error) {
        return failure(QStringLiteral("impossibile leggere o scrivere il torneo (%1)").arg(QString::fromStdString(error.what())));
    }
}

void writeLines(const QList<QStringList>& lines)
{
    QString text;
    for (const QStringList& fields : lines) {
        QStringList shown;
        for (const QString& field : fields)
            shown.append(terminal::blanked(field));
        text += shown.join(QLatin1Char('\t'));
        text += QLatin1Char('\n');
    }
    out() << text;
    out().flush();
}

int list(const QString& path, const Options& options)
{
    const StoredCalendar stored = readCalendar(path);
    if (!stored.exists)
        return failure(QStringLiteral("il torneo \"%1\" non ha un calendario").arg(QFileInfo(path).completeBaseName()));
    const QStringList names = entryNames(path);
    Filter filter;
    if (options.round) {
        const std::optional<int> round = positiveNumber(*options.round);
        if (!round)
            return usageError(QStringLiteral("--giornata vuole il numero della giornata"));
        filter.round = *round;
    }
    if (options.team) {
        filter.team = entryNamed(names, *options.team);
        if (filter.team == 0)
            return failure(QStringLiteral("il torneo non ha una squadra di nome \"%1\"").arg(*options.team));
    }
    QList<const Match*> shown;
    QList<QStringList> lines;
    for (const Match* match : inCalendarOrder(stored.calendar)) {
        if (!filter.accepts(*match))
            continue;
        shown.append(match);
        lines.append(matchFields(*match, stored.calendar.rules, names));
    }
    writeLines(lines);
    if (!terminal::outputDelivered())
        return failure(QStringLiteral("impossibile scrivere il calendario sullo standard output"));
    if (options.pdf) {
        const QString title = QStringLiteral("Calendario - %1").arg(QFileInfo(path).completeBaseName());
        return pdfOutput::writeList(title, printLines(stored.calendar, shown, names), *options.pdf);
    }
    return terminal::Done;
}

int create(const QString& path, const Options& options)
{
    StoredCalendar stored = readCalendar(path);
    for (const Match& match : std::as_const(stored.calendar.matches)) {
        if (match.hasResult())
            return failure(QStringLiteral(
                "Attenzione: il calendario del torneo contiene gi\u00E0 dei risultati e non viene sostituito."));
    }
    const QStringList names = entryNames(path);
    Plan plan;
    plan.entryCount = int(names.size());
    for (int entry = 1; entry <= plan.entryCount; ++entry)
        plan.entries.append(entry);
    plan.returnLeg = options.doubleLeg ? ReturnLeg::Mirrored : ReturnLeg::None;
    plan.thirdPlace = options.thirdPlace;
    if (options.groups) {
        const std::optional<int> groups = positiveNumber(*options.groups);
        if (!groups)
            return usageError(QStringLiteral("--gironi vuole il numero dei gironi"));
        plan.groupCount = *groups;
        plan.format = options.knockout ? Format::GroupsThenKnockout : Format::Groups;
    } else {
        plan.format = options.knockout ? Format::Knockout : Format::RoundRobin;
    }
    if (stored.exists)
        plan.rules = stored.calendar.rules;
    if (options.start) {
        plan.schedule.first = formats::dateFromText(*options.start);
        if (!plan.schedule.first.isValid())
            return failure(QStringLiteral("Attenzione: la data \"%1\" non esiste (GG/MM/AAAA).").arg(*options.start));
    }
    if (options.every) {
        const std::optional<int> days = positiveNumber(*options.every);
        if (!days)
            return usageError(QStringLiteral("--ogni vuole il numero dei giorni tra una giornata e la successiva"));
        plan.schedule.daysBetween = *days;
    }
    if (options.times) {
        const auto times = timesFromText(*options.times);
        if (!times)
            return failure(QStringLiteral("Attenzione: gli orari \"%1\" non sono orari validi (HH:MM).").arg(*options.times));
        plan.schedule.times = *times;
    }
    if (options.fields) {
        for (const QString& field : options.fields->split(QLatin1Char(';'), Qt::SkipEmptyParts))
            plan.schedule.fields.append(field.trimmed());
    }

    QRandomGenerator random(QRandomGenerator::global()->generate());
    const Made made = makeCalendar(plan, stored.calendar.draw, random, stored.calendar.lastNumber);
    if (!made.error.isEmpty())
        return failure(made.error);

    Calendar shownCalendar = made.calendar;
    QList<QStringList> lines;
    for (const Match* match : inCalendarOrder(shownCalendar))
        lines.append(matchFields(*match, shownCalendar.rules, names));
    writeLines(lines);

    // The draw is kept the first time it is shown, so that the calendar confirmed is the one seen.
    const bool newDraw = !made.calendar.draw.isEmpty() && stored.calendar.draw.isEmpty();
    if (!options.confirm) {
        if (newDraw) {
            stored.calendar.draw = made.calendar.draw;
            saveCalendar(path, stored);
            out() << "Sorteggio dei gironi conservato: sar\u00E0 riutilizzato.\n";
        }
        out() << "Calendario non scritto: aggiungere --conferma per scriverlo.\n";
        out().flush();
        return terminal::Done;
    }
    stored.calendar.rules = made.calendar.rules;
    stored.calendar.matches = made.calendar.matches;
    if (newDraw)
        stored.calendar.draw = made.calendar.draw;
    saveAndWriteBack(path, stored, withdrawal::entries(path));
    out() << QStringLiteral("Calendario scritto: %1 gare.\n").arg(made.calendar.matches.size());
    out().flush();
    return terminal::Done;
}

int result(const QString& path, const QStringList& arguments, const Options& options)
{
    const std::optional<int> number = positiveNumber(arguments.at(2));
    if (!number)
        return usageError(QStringLiteral("N \u00E8 il numero della gara, come lo mostra golvera-cli calendario"));
    const auto score = scoreFromText(arguments.at(3));
    if (!score)
        return failure(badScoreMessage());
    ResultInput input;
    input.homeGoals = score->first;
    input.awayGoals = score->second;
    if (options.status) {
        const std::optional<Status> status = statusFromWord(*options.status);
        if (!status || *status == Status::DaGiocare)
            return usageError(QStringLiteral("--stato vuole giocata, rinviata, sospesa, tavolino oppure annullata"));
        input.status = *status;
    }
    if (input.status == Status::Tavolino) {
        // The score names the side at fault: the one with fewer goals, both when they are equal.
        input.atFault = score->first < score->second   ? Side::Home
                        : score->first > score->second ? Side::Away
                                                       : Side::Both;
    }
    if (options.penalties) {
        const auto penalties = scoreFromText(*options.penalties);
        if (!penalties)
            return failure(badScoreMessage());
        input.homePenalties = penalties->first;
        input.awayPenalties = penalties->second;
    }
    StoredCalendar stored = readCalendar(path);
    if (!stored.exists)
        return failure(QStringLiteral("il torneo \"%1\" non ha un calendario").arg(QFileInfo(path).completeBaseName()));
    const QStringList names = entryNames(path);
    for (const Match& match : std::as_const(stored.calendar.matches)) {
        for (int entry : {match.home, match.away}) {
            if (entry > names.size())
                return failure(vanishedEntryMessage(entry));
        }
    }
    const matches::Withdrawn withdrawn = withdrawal::entries(path);
    if (const QString refused = recordResult(stored.calendar, *number, input, int(names.size()), withdrawn);
        !refused.isEmpty())
        return failure(refused);
    saveAndWriteBack(path, stored, withdrawn);
    const Match& match = *stored.calendar.match(*number);
    writeLines({matchFields(match, stored.calendar.rules, names)});
    return terminal::Done;
}

}  // namespace

bool handles(const QStringList& arguments)
{
    return !arguments.isEmpty()
           && (arguments.first() == QStringLiteral("calendario") || arguments.first() == QStringLiteral("risultato"));
}

QStringList ownOptions()
{
    return {QStringLiteral("giornata"), QStringLiteral("squadra"),  QStringLiteral("andata-ritorno"),
            QStringLiteral("gironi"),   QStringLiteral("eliminazione"), QStringLiteral("terzo-posto"),
            QStringLiteral("inizio"),   QStringLiteral("ogni"),     QStringLiteral("orari"),
            QStringLiteral("campi"),    QStringLiteral("stato"),    QStringLiteral("rigori")};
}

int run(const QStringList& arguments, const Options& options)
{
    const bool creating = arguments.first() == QStringLiteral("calendario") && arguments.size() == 3
                          && arguments.at(1) == QStringLiteral("crea");
    const bool recording = arguments.first() == QStringLiteral("risultato");
    if (recording ? arguments.size() != 4 : (!creating && arguments.size() != 2))
        return usageError(QStringLiteral("argomenti non validi"));
    const bool creationOptions = options.doubleLeg || options.groups || options.knockout || options.thirdPlace
                                 || options.start || options.every || options.times || options.fields;
    if (!creating && (creationOptions || options.confirm))
        return usageError(QStringLiteral("--andata-ritorno, --gironi, --eliminazione, --terzo-posto, --inizio, --ogni, "
                                         "--orari, --campi e --conferma valgono solo per calendario crea"));
    if (!recording && (options.status || options.penalties))
        return usageError(QStringLiteral("--stato e --rigori valgono solo per il comando risultato"));
    if (recording || creating) {
        if (options.round || options.team || options.pdf)
            return usageError(QStringLiteral("--giornata, --squadra e --pdf valgono solo per calendario"));
    }

    const QString given = arguments.at(creating ? 2 : 1);
    const QString path = tournamentPath(given, options.dataFolder);
    if (const int checked = terminal::checkReadable(path, QStringLiteral("il torneo"), given); checked != terminal::Done)
        return checked;
    return guarded([&] {
        if (creating)
            return create(path, options);
        if (recording)
            return result(path, arguments, options);
        return list(path, options);
    });
}

}  // namespace matchCommands
