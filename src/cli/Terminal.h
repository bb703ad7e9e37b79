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

// Control characters stored in a record (a tab, an escape sequence) would act on the terminal
// instead of being read; they are shown as blanks.
QString blanked(QString text);

// True when everything written to standard output reached it (a full disk, a closed pipe).
bool outputDelivered();

}  // namespace terminal
