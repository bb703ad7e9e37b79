#include "withdrawal/WithdrawnEntries.h"

#include "matches/WriteBack.h"
#include "withdrawal/WithdrawalMarks.h"

namespace withdrawal {

matches::Withdrawn entries(const QString& tournamentPath)
{
    matches::Withdrawn withdrawn;
    const Marks marks = read(tournamentPath);
    for (auto it = marks.withdrawn().cbegin(); it != marks.withdrawn().cend(); ++it)
        withdrawn.insert(int(it.key()), it.value());
    return withdrawn;
}

int recount(const QString& tournamentPath) { return matches::refreshEntries(tournamentPath, entries(tournamentPath)); }

}  // namespace withdrawal
