#pragma once

#include <QString>

// A player archive for the benchmarks: `players` varied records written to
// "Archivio_Giocatori.pro" in `folder` (about 3 kB each, 150 MB for 50 000). The same count and
// seed give the same file. Expiry dates spread over two years around 2026, a few of them
// unreadable; names, teams, roles and towns repeat as in a real league.
namespace benchPlayers {

// The archive's path.
QString writeArchive(const QString& folder, int players, unsigned seed = 1);

}  // namespace benchPlayers
