#pragma once

#include <QString>

// A tournament holds one entry per team: before a team's data is imported into an entry, the
// editor looks for another entry that already stands for that team.
namespace teamEntry {

// The position of the first entry, other than the one at `except`, whose team name equals `team`
// with blanks around either ignored and the letters A to Z in either case; 0 when there is none or
// the file cannot be read (the save that follows reports an archive it cannot reach).
qint64 find(const QString& path, const QString& team, qint64 except);

// What the user is about to do with a team that has an entry already.
enum class Action { Import, Save };

// The question asked before such an import, or before saving the entry under that team's name;
// Enter answers No.
QString duplicateQuestion(const QString& team, qint64 position, Action action = Action::Import);

}  // namespace teamEntry
