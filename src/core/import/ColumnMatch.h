#pragma once

#include "import/ImportTarget.h"
#include "import/Sheet.h"

#include <QList>
#include <QString>

// Which field each column of a spreadsheet fills, told from the headers in its first row: the
// export's labels and the usual synonyms, with case, accents, blanks and punctuation ignored.
namespace columnMatch {

// For every column of the header row, the index of its target in `archive.targets`, or -1 when
// the column is left out. A field is filled by the first column that names it; "Cognome" and
// "Nome" in two columns are the two parts of the player's name, "Nome" alone the whole name.
using Mapping = QList<int>;

// Headers compared this way: "Città" and "CITTA'", "E-mail" and "Email" are one.
QString folded(QStringView header);

Mapping match(const sheetImport::Archive& archive, const sheetImport::Row& header);

// True when at least one column fills a field.
bool matchesAnything(const Mapping& mapping);

// What the matching screen says before the rows: the fields the editor makes mandatory
// ("Campi obbligatori: Squadra"), and those that no column of `mapping` provides ("Mancano le
// colonne obbligatorie: Tessera n., Scadenza tessera"; empty when each has one).
QString mandatoryLine(const sheetImport::Archive& archive);
QString missingColumnsLine(const sheetImport::Archive& archive, const Mapping& mapping);

}  // namespace columnMatch
