#pragma once

#include <QString>

// A tournament of `entries` teams with varied names, contacts, notes, a 400-character match list
// and points, written once per run into a temporary folder; returns its path.
QString benchTournament(int entries);
