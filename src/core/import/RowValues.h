#pragma once

#include "import/ColumnMatch.h"
#include "import/ImportTarget.h"
#include "import/Sheet.h"

#include <QDate>
#include <QStringList>

// One spreadsheet row made into a record's values, as the editor would have stored them if the
// user had typed it: trimmed, in capitals where the editor writes capitals, dates as dd/mm/yyyy,
// counts as whole numbers, "Sì"/"No", texts cut to their field's capacity. What had to be
// changed on the way is reported as warnings; what the editor would not save rejects the row.
namespace rowValues {

struct Result {
    sheetImport::Texts texts;  // in the order of the archive's fields
    QList<bool> given;         // the fields the row gave a text for (an update changes only those)
    QStringList warnings;
    QString rejection;  // empty when the row can be stored

    QString value(const sheetImport::Archive& archive, const QString& field) const;
};

// Whose the result's texts are. Borrowed: a text the row gives as it will be stored points into
// the row itself instead of being copied, which spares most of an import's copies; such texts are
// good only while the sheet lives, as they are within the import's analysis.
enum class Texts { Own, Borrowed };

// `today` decides the century of a two-digit year.
Result make(const sheetImport::Archive& archive, const sheetImport::Row& row, const columnMatch::Mapping& mapping,
            const QDate& today, Texts texts = Texts::Own);

// A date as the spreadsheets write it: dd/mm/yyyy, d/m/yy (also with '.' or '-'), yyyy-mm-dd,
// or a date cell; an invalid date when it is none of them. `text` is the cell's.
QDate dateOf(const sheetImport::Cell& cell, QStringView text, const QDate& today);

}  // namespace rowValues
