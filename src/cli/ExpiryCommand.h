#pragma once

#include "withdrawal/WithdrawalMarks.h"

#include <QString>
#include <QStringList>

#include <optional>

// golvera-cli's "scadenze tessere|certificati": the players whose membership card or medical
// certificate has expired (or expires within --entro days), oldest date first, with the printed
// list as a PDF file on request.
namespace expiryCommand {

bool handles(const QStringList& arguments);

struct Options {
    std::optional<QString> horizon;  // --entro, as typed
    std::optional<QString> pdf;      // --pdf
    QString dataFolder;
    withdrawal::Listing withdrawn = withdrawal::Listing::LeaveOut;  // --ritirati: listed, marked
};

// Returns the exit code after writing the rows to standard output and what went wrong to
// standard error.
int run(const QStringList& arguments, const Options& options);

}  // namespace expiryCommand
