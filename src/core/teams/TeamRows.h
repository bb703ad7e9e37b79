#pragma once

#include "output/ListRows.h"
#include "storage/RecordValues.h"
#include "storage/TeamRecord.h"

#include <QString>

// The one row every list of teams shows (the search, the selected teams, the import into a
// tournament entry): name, pitch, coach, contact and phone in fixed-width columns.
namespace teamRows {

// The row's columns over the team record's fields.
const listRows::Layout& layout();

QString row(const QString& squadra, const QString& campo, const QString& allenatore, const QString& responsabile,
            const QString& telefono);

// Straight from a stored record, reading only the fields needed, as the lists do for every
// record of the archive. Throw ArchiveError for bytes that are not one team record.
QString row(QByteArrayView record);
// A team belongs on the selected-teams list only when its mark is "Sì".
bool isSelected(QByteArrayView record);
// The import lists every team that has a name.
bool hasName(QByteArrayView record);

}  // namespace teamRows
