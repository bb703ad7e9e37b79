#pragma once

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QTime>

#include <optional>

// A tournament's matches: who plays whom, when, and how it ended. Teams are named by their entry's
// position in the tournament file (1-based), which never changes because entries are never
// removed; 0 stands for a team not known yet (a knockout slot) or, in a round robin, for the rest.
namespace matches {

enum class Status { DaGiocare, Giocata, Rinviata, Sospesa, Tavolino, Annullata };

// "da giocare", "giocata", "rinviata", "sospesa", "a tavolino", "annullata".
QString statusWord(Status status);
// The word as the user types it (case and the leading "a " of "a tavolino" do not matter).
std::optional<Status> statusFromWord(const QString& word);
inline constexpr int statusCount = 6;

enum class Side { None, Home, Away, Both };

enum class Phase {
    RoundRobin,  // a round robin or one group of it
    Knockout,    // a knockout round; `Match::roundSize` tells which
    ThirdPlace,  // the match between the two semifinals' losers
};

struct Match {
    int number = 0;  // stable, never reused
    int round = 0;   // "giornata"; knockout rounds follow the group rounds
    QString group;   // "A", "B", ... empty when there are no groups
    Phase phase = Phase::RoundRobin;
    int roundSize = 0;  // knockout: teams in the round (2 final, 4 semifinals, ...)
    int leg = 1;        // 1 first leg ("andata"), 2 return leg ("ritorno")
    QDate date;
    QTime time;
    QString field;  // "campo"
    int home = 0;
    int away = 0;
    int homeGoals = 0;
    int awayGoals = 0;
    Status status = Status::DaGiocare;
    Side atFault = Side::None;  // for a forfeit: who lost it
    // Knockout: goals scored in extra time (on top of the goals above) and the penalty shoot-out.
    std::optional<int> homeExtra, awayExtra;
    std::optional<int> homePenalties, awayPenalties;
    // Knockout: the match the winner (and, for the semifinals, the loser) goes into, and as which side.
    int winnerTo = 0;
    Side winnerSide = Side::None;
    int loserTo = 0;
    Side loserSide = Side::None;
    // What a slot not known yet stands for ("1\u00B0 girone A", "vincente gara 12").
    QString homeSource, awaySource;

    qint64 position = 0;  // record in the calendar file; 0 for a match not stored yet

    bool isKnockout() const { return phase != Phase::RoundRobin; }
    bool isRest() const { return phase == Phase::RoundRobin && (home == 0 || away == 0); }
    bool involves(int entry) const { return entry > 0 && (home == entry || away == entry); }
    bool hasResult() const { return status == Status::Giocata || status == Status::Tavolino; }
    // Goals after extra time.
    int homeTotal() const { return homeGoals + homeExtra.value_or(0); }
    int awayTotal() const { return awayGoals + awayExtra.value_or(0); }
    // The side that goes on from a decided knockout match; None while undecided.
    Side winner() const;

    friend bool operator==(const Match&, const Match&) = default;
};

// What happens to the matches of a team that withdraws.
enum class Withdrawal {
    // The league rule: withdrawn in the first leg, all its matches are annulled; later, those
    // played before count and the rest are forfeits against it.
    ByLeg,
    PlayedCountRestForfeit,
    AllAnnulled,
};

struct Rules {
    int winPoints = 3;
    int drawPoints = 1;
    int lossPoints = 0;
    int forfeitWinnerGoals = 3;
    int forfeitLoserGoals = 0;
    bool forfeitDeduction = false;  // one point off the team at fault
    bool pointsFromResults = true;  // the entries' points, matches and completed mark follow the results
    Withdrawal withdrawal = Withdrawal::ByLeg;
    QDate returnLegFrom;  // first day of the return leg; invalid when there is none

    qint64 position = 0;

    friend bool operator==(const Rules&, const Rules&) = default;
};

struct Deduction {
    int entry = 0;
    int points = 0;  // taken off, a positive number
    QString reason;
    QDate date;

    qint64 position = 0;

    friend bool operator==(const Deduction&, const Deduction&) = default;
};

// One entry's place in the group draw, made once and kept.
struct GroupSlot {
    QString group;
    int entry = 0;
    int order = 0;  // place within the group, from 1
    bool seeded = false;

    qint64 position = 0;

    friend bool operator==(const GroupSlot&, const GroupSlot&) = default;
};

// Withdrawn entries: position -> the day they withdrew.
using Withdrawn = QMap<int, QDate>;

struct Calendar {
    Rules rules;
    QList<Match> matches;
    QList<Deduction> deductions;
    QList<GroupSlot> draw;
    int lastNumber = 0;  // highest match number ever given

    const Match* match(int number) const;
    Match* match(int number);
    // The next number for a new match, never one given before.
    int nextNumber();
    // The groups in the order they appear.
    QStringList groups() const;
    // Highest round number; 0 for no matches.
    int lastRound() const;
};

}  // namespace matches
