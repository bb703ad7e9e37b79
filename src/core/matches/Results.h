#pragma once

#include "matches/Match.h"

#include <optional>

// Entering a result, the same way from the calendar screen and from the command line.
namespace matches {

// "2-1" (blanks around the numbers allowed) -> {2, 1}; nullopt for anything that is not two counts.
std::optional<std::pair<int, int>> scoreFromText(const QString& text);
QString scoreText(int home, int away);

struct ResultInput {
    int homeGoals = 0;
    int awayGoals = 0;
    Status status = Status::Giocata;
    Side atFault = Side::None;  // a forfeit: who lost it
    std::optional<int> homeExtra, awayExtra;
    std::optional<int> homePenalties, awayPenalties;
};

// Puts the result into match `number`, moves knockout winners on and fills knockout places from
// finished groups. Returns the Italian message when the result is refused, `calendar` unchanged.
QString recordResult(Calendar& calendar, int number, const ResultInput& input, int entryCount,
                     const Withdrawn& withdrawn = {});

// Checks a match as a screen left it (results typed in a table): the same rules as recordResult.
QString checkResult(const Match& match);

// Messages.
QString noSuchMatchMessage(int number);
QString badScoreMessage();
QString knockoutUndecidedMessage();
QString forfeitSideMessage();
QString noTeamsYetMessage();
QString laterMatchPlayedMessage(int number);

}  // namespace matches
