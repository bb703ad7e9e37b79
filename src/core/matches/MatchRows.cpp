#include "matches/MatchRows.h"

#include "matches/Knockout.h"

namespace matches {

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

}  // namespace matches
