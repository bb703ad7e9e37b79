#include "matches/Results.h"

#include "matches/Knockout.h"
#include "matches/Plan.h"

#include <QRegularExpression>

namespace matches {

std::optional<std::pair<int, int>> scoreFromText(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,3})\\s*-\\s*(\\d{1,3})\\s*$"));
    const QRegularExpressionMatch found = pattern.match(text);
    if (!found.hasMatch())
        return std::nullopt;
    return std::pair{found.captured(1).toInt(), found.captured(2).toInt()};
}

QString scoreText(int home, int away)
{
    return QStringLiteral("%1-%2").arg(home).arg(away);
}

QString noSuchMatchMessage(int number)
{
    return QStringLiteral("Attenzione: il calendario non contiene la gara numero %1.").arg(number);
}

QString badScoreMessage()
{
    return QStringLiteral(
        "Attenzione: il risultato deve essere formato da due numeri di reti separati da un trattino (per "
        "esempio 2-1).");
}

QString knockoutUndecidedMessage()
{
    return QStringLiteral(
        "Attenzione: una gara a eliminazione diretta non pu\u00F2 finire in parit\u00E0. Indicare le reti dei "
        "tempi supplementari e/o i calci di rigore che hanno deciso la vincente.");
}

QString forfeitSideMessage()
{
    return QStringLiteral("Attenzione: per una gara a tavolino indicare la squadra che l'ha persa.");
}

QString noTeamsYetMessage()
{
    return QStringLiteral("Attenzione: le squadre di questa gara non sono ancora note.");
}

QString laterMatchPlayedMessage(int number)
{
    return QStringLiteral(
               "Attenzione: il risultato cambierebbe le squadre della gara numero %1, che \u00E8 gi\u00E0 stata "
               "giocata. Annullare prima il risultato di quella gara.")
        .arg(number);
}

QString checkResult(const Match& match)
{
    if (!match.hasResult())
        return {};
    if (match.home <= 0 || match.away <= 0)
        return noTeamsYetMessage();
    if (match.status == Status::Tavolino)
        return match.atFault == Side::None ? forfeitSideMessage() : QString();
    if (match.isKnockout() && match.winner() == Side::None)
        return knockoutUndecidedMessage();
    return {};
}

QString recordResult(Calendar& calendar, int number, const ResultInput& input, int entryCount,
                     const Withdrawn& withdrawn)
{
    Match* match = calendar.match(number);
    if (!match)
        return noSuchMatchMessage(number);
    Match updated = *match;
    updated.status = input.status;
    updated.homeGoals = input.homeGoals;
    updated.awayGoals = input.awayGoals;
    updated.atFault = input.status == Status::Tavolino ? input.atFault : Side::None;
    updated.homeExtra = input.homeExtra;
    updated.awayExtra = input.awayExtra;
    updated.homePenalties = input.homePenalties;
    updated.awayPenalties = input.awayPenalties;
    if (QString problem = checkResult(updated); !problem.isEmpty())
        return problem;

    Calendar next = calendar;
    *next.match(number) = updated;
    fillFromGroups(next, entryCount, withdrawn);
    const QList<int> refused = advanceWinners(next);
    if (!refused.isEmpty())
        return laterMatchPlayedMessage(refused.first());
    calendar = next;
    return {};
}

}  // namespace matches
