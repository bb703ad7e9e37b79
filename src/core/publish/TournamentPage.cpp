#include "publish/TournamentPage.h"

#include "app/Formats.h"
#include "matches/Counting.h"
#include "standings/CalendarStandings.h"
#include "storage/WholeFolder.h"
#include "withdrawal/WithdrawnEntries.h"

#include <QCryptographicHash>
#include <QFileInfo>

#include <algorithm>

namespace publish {
namespace {

QString teamName(const QStringList& names, int entry, const QString& source)
{
    if (entry > 0)
        return names.value(entry - 1);
    return source.isEmpty() ? QStringLiteral("da definire") : source;
}

QString resultText(const matches::Match& match, const matches::Rules& rules)
{
    if (!match.hasResult())
        return {};
    const matches::Count count = matches::countMatch(match, rules);
    if (match.status == matches::Status::Tavolino)
        return QStringLiteral("%1-%2").arg(count.home.goalsFor).arg(count.away.goalsFor);
    QString text = QStringLiteral("%1-%2").arg(match.homeTotal()).arg(match.awayTotal());
    if (match.homeExtra || match.awayExtra)
        text += QStringLiteral(" d.t.s.");
    if (match.homePenalties && match.awayPenalties)
        text += QStringLiteral(" (rigori %1-%2)").arg(*match.homePenalties).arg(*match.awayPenalties);
    return text;
}

MatchLine line(const matches::Match& match, const matches::Rules& rules, const QStringList& names)
{
    MatchLine shown;
    shown.date = formats::dateText(match.date);
    shown.time = match.time.isValid() ? match.time.toString(QStringLiteral("HH:mm")) : QString();
    shown.field = match.field;
    shown.home = teamName(names, match.home, match.homeSource);
    shown.away = teamName(names, match.away, match.awaySource);
    shown.result = resultText(match, rules);
    if (match.status != matches::Status::Giocata && match.status != matches::Status::DaGiocare)
        shown.status = matches::statusWord(match.status);
    return shown;
}

QString knockoutTitle(const matches::Match& match)
{
    if (match.phase == matches::Phase::ThirdPlace)
        return QStringLiteral("Finale per il terzo posto");
    switch (match.roundSize) {
    case 2: return QStringLiteral("Finale");
    case 4: return QStringLiteral("Semifinali");
    case 8: return QStringLiteral("Quarti di finale");
    case 16: return QStringLiteral("Ottavi di finale");
    default: return QStringLiteral("Turno a %1 squadre").arg(match.roundSize);
    }
}

QString uidBase(const QString& tournamentName)
{
    return QString::fromLatin1(QCryptographicHash::hash(tournamentName.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

}  // namespace

Page tournamentPage(const QString& tournamentName, const matches::Calendar& calendar, const QStringList& names,
                    const QDateTime& now, const matches::Withdrawn& withdrawn)
{
    Page page;
    page.tournament = tournamentName;
    page.updated = QStringLiteral("Aggiornata il %1 alle %2")
                       .arg(formats::dateText(now.date()), now.time().toString(QStringLiteral("HH:mm")));
    page.calendarFile = CalendarFileName;
    for (const QString& group : standings::standingsGroups(calendar))
        page.standings.append({group, standings::computeStandings(standings::standingsInput(calendar, names, group, withdrawn))});

    QList<const matches::Match*> ordered;
    for (const matches::Match& match : calendar.matches) {
        if (!match.isRest())
            ordered.append(&match);
    }
    std::stable_sort(ordered.begin(), ordered.end(), [](const matches::Match* a, const matches::Match* b) {
        if (a->isKnockout() != b->isKnockout())
            return !a->isKnockout();
        if (a->isKnockout() && a->roundSize != b->roundSize)
            return a->roundSize > b->roundSize;
        if (a->isKnockout() && a->phase != b->phase)
            return a->phase == matches::Phase::ThirdPlace;
        if (a->round != b->round)
            return a->round < b->round;
        if (a->group != b->group)
            return a->group < b->group;
        return a->number < b->number;
    });
    for (const matches::Match* match : std::as_const(ordered)) {
        QString title;
        if (match->isKnockout())
            title = knockoutTitle(*match);
        else
            title = QStringLiteral("Giornata %1").arg(match->round)
                    + (match->group.isEmpty() ? QString() : QStringLiteral(" \u2014 girone ") + match->group);
        QList<RoundSection>& sections = match->isKnockout() ? page.bracket : page.rounds;
        if (sections.isEmpty() || sections.last().title != title)
            sections.append({title, {}});
        sections.last().matches.append(line(*match, calendar.rules, names));
    }
    for (const standings::ScorerTotal& scorer : standings::topScorers(calendar, names, withdrawn))
        page.scorers.append({scorer.player, scorer.team, scorer.goals});
    return page;
}

QList<ics::Event> matchEvents(const QString& tournamentName, const matches::Calendar& calendar, const QStringList& names)
{
    QList<ics::Event> events;
    const QString base = uidBase(tournamentName);
    for (const matches::Match& match : calendar.matches) {
        if (!match.date.isValid() || match.isRest())
            continue;
        const MatchLine shown = line(match, calendar.rules, names);
        ics::Event event;
        event.uid = QStringLiteral("gara-%1-%2@golvera").arg(match.number).arg(base);
        event.date = match.date;
        event.time = match.time;
        event.summary = shown.home + QStringLiteral(" \u2013 ") + shown.away
                        + (shown.result.isEmpty() ? QString() : QLatin1Char(' ') + shown.result);
        event.location = match.field;
        QStringList description{tournamentName};
        description.append(match.isKnockout() ? knockoutTitle(match) : QStringLiteral("Giornata %1").arg(match.round));
        if (!match.group.isEmpty())
            description.append(QStringLiteral("Girone ") + match.group);
        if (!shown.status.isEmpty())
            description.append(shown.status);
        event.description = description.join(QStringLiteral(" \u2014 "));
        events.append(event);
    }
    return events;
}

bool publishTournament(const QString& tournamentPath, const matches::StoredCalendar& stored, const QStringList& names,
                       const QString& folder, const QDateTime& now, QString* error)
{
    QString name = QFileInfo(tournamentPath).fileName();
    if (name.endsWith(QStringLiteral(".vai"), Qt::CaseInsensitive))
        name.chop(4);
    const Page page = tournamentPage(name, stored.calendar, names, now, withdrawal::entries(tournamentPath));
    wholeFolder::Writer writer(folder, {PageName, StylesheetName, CalendarFileName});
    const bool written = writer.open() && writer.write(PageName, html(page)) && writer.write(StylesheetName, stylesheet())
                         && writer.write(CalendarFileName, ics::calendar(name, matchEvents(name, stored.calendar, names), now))
                         && writer.commit();
    if (!written)
        *error = writer.errorString();
    return written;
}

}  // namespace publish
