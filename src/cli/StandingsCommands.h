#pragma once

#include <QString>
#include <QStringList>

// golvera-cli's commands on a tournament's calendar: "classifica completa TORNEO" (the standings
// that settle every tie, with the reason for each place), "marcatori TORNEO" (the top scorers) and
// "pubblica TORNEO --uscita DIR" (the page anyone can open).
namespace standingsCommands {

struct Options {
    QString group;       // --girone; empty: every group
    bool groupSet = false;
    QString pdf;         // --pdf; empty: none
    QString output;      // --uscita
    bool outputSet = false;
};

bool handles(const QStringList& arguments);
// Exit code: 0 done, 1 refused or failed with its message, 2 wrong usage.
int run(const QStringList& arguments, const Options& options);

}  // namespace standingsCommands
