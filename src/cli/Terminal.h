#pragma once

#include <QString>

class QTextStream;

// What golvera-cli's commands share about the terminal: the two streams, UTF-8, and the exit codes.
namespace terminal {

enum ExitCode { Done = 0, Failed = 1, BadUsage = 2 };

QTextStream& out();
QTextStream& err();

// Writes "golvera-cli: message" to standard error; returns Failed.
int failure(const QString& message);

// Control characters in a text read from a file (a tab, an escape sequence) would act on the
// terminal instead of being read; they are shown as blanks. The rows of the lists have their own
// byte-level output (RowOutput).
QString blanked(QString text);

// True when everything written to out() reached standard output (a full disk, a closed pipe).
bool outputDelivered();

// The file a command reads: Done when `path` is a readable file, otherwise Failed with a message
// naming it as `what` ("il torneo") and `shown`. The screens create missing files empty; here a
// missing file is a mistake.
int checkReadable(const QString& path, const QString& what, const QString& shown);

}  // namespace terminal
