#include "matches/MatchRows.h"

#include "matches/Counting.h"
#include "matches/Knockout.h"
#include "output/ArchiveScan.h"
#include "storage/TournamentRecord.h"
#include "text/TextRules.h"

namespace matches {

QStringList entryNames(const QString& tournamentPath)
{
    static constexpr std::size_t concorrente = TournamentRecord::Layout.indexOf("Concorrente");
    QStringList names;
    const QString failure = archiveScan::visit(tournamentPath, TournamentRecord::Size, [&](qint64, QByteArrayView record) {
        names.append(trimControls(TournamentRecord::Layout.readField(record, concorrente)));
    });
    if (!failure.isEmpty())
        return {};
    return names;
}

QString sideText(const Match& match, Side side, const QStringList& names)
{
    const int entry = side == Side::Home ? match.home : match.away;
    if (entry > 0) {
        if (entry <= names.size() && !names.at(entry - 1).isEmpty())
            return names.at(entry - 1);
        return QStringLiteral("squadra n. %1").arg(entry);
    }
    const QString& source = side == Side::Home ? match.homeSource : match.awaySource;
    if (!source.isEmpty())
        return source;
    return match.isKnockout() ? QStringLiteral("da definire") : QStringLiteral("riposa");
}

QString resultText(const Match& match, const Rules& rules)
{
    if (match.status == Status::Tavolino) {
        const Count count = countMatch(match, rules);
        return QStringLiteral("%1-%2").arg(count.home.goalsFor).arg(count.away.goalsFor);
    }
    if (match.status != Status::Giocata)
        return {};
    QString text = QStringLiteral("%1-%2").arg(match.homeTotal()).arg(match.awayTotal());
    if (match.homeExtra || match.awayExtra)
        text += QStringLiteral(" d.t.s.");
    if (match.homePenalties && match.awayPenalties)
        text += QStringLiteral(" %1-%2 rig.").arg(*match.homePenalties).arg(*match.awayPenalties);
    return text;
}

QString roundText(const Match& match)
{
    return match.isKnockout() ? roundName(match) : QString::number(match.round);
}

QString statusText(const Match& match)
{
    if (match.status != Status::Tavolino)
        return statusWord(match.status);
    switch (match.atFault) {
    case Side::Home:
        return QStringLiteral("a tavolino (perde casa)");
    case Side::Away:
        return QStringLiteral("a tavolino (perdono ospiti)");
    case Side::Both:
        return QStringLiteral("a tavolino (perdono entrambe)");
    case Side::None:
        break;
    }
    return statusWord(match.status);
}

bool MatchFilter::accepts(const Match& match) const
{
    return (round == 0 || match.round == round) && (entry == 0 || match.involves(entry))
           && (!group || match.group == *group) && (!status || match.status == *status);
}

}  // namespace matches
