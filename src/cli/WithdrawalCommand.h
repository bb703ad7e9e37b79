#pragma once

#include <QString>
#include <QStringList>

// golvera-cli's "ritira" and "riammetti": withdraws a record of the team archive, the player
// archive or a tournament, or brings it back, without touching the record itself.
//   golvera-cli ritira|riammetti squadre|giocatori|TORNEO POSIZIONE [--cartella DIR]
namespace withdrawalCommand {

bool handles(const QStringList& arguments);

// Returns the exit code (0 done, 1 refused or failed, 2 wrong usage) after saying what happened.
int run(const QStringList& arguments, const QString& dataFolder);

}  // namespace withdrawalCommand
