#pragma once

#include "output/Report.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

// The printed sheet of one team: a title, nineteen label-and-value rows and the date and time of
// printing. The value objects carry the names of the editor's fields they are filled from.
namespace teamSheet {

// The value objects, top row first.
const QStringList& valueNames();

// "Stampa eseguita in data 05/03/2024 alle ore 14:07:09": the same 24-hour clock on every machine.
QString footer(const QDateTime& when);

// The sheet filled from `values` (by value object name, each trimmed; a missing one prints empty)
// with the footer for `when`, on portrait paper. Throws report::ReportError when the template
// cannot be read.
report::Report make(const QHash<QString, QString>& values, const QDateTime& when);

}  // namespace teamSheet
