#pragma once

#include "output/ListRows.h"
#include "output/RowSource.h"

#include <QList>
#include <QString>

// "Trova" in a record list: finds the next row that contains the typed text, comparing with the
// letters A to Z folded only. The same text pressed again moves on from the selected row,
// wrapping from the last row to the first; a new text starts again from the top.
namespace findInList {

struct Outcome {
    bool applicable = true;  // false: the list has no rows (the screen says so)
    int selected = -1;       // the row to select afterwards; -1 when none is selected
};

// `selected` is the selected row or -1; `remembered` is the screen kind's last search text, as
// this function stores it, and is updated. The typed text is taken as it is, blanks included;
// an empty text never matches.
// Row texts are made one at a time while looking, and only up to the match.
Outcome next(const RowSource& rows, int selected, const QString& typed, QString& remembered);
Outcome next(const QList<ListRow>& rows, int selected, const QString& typed, QString& remembered);

}  // namespace findInList
