#include "output/FindInList.h"

#include "text/TextRules.h"

namespace findInList {

Outcome next(const QList<ListRow>& rows, int selected, const QString& typed, QString& remembered)
{
    return next(MadeRows(rows), selected, typed, remembered);
}

Outcome next(const RowSource& rows, int selected, const QString& typed, QString& remembered)
{
    if (rows.count() == 0)
        return {false, selected};

    const int count = int(rows.count());
    if (selected < 0 || selected >= count)
        selected = 0;

    // Kept folded, so "the same text again" ignores the case of A to Z just as the match does.
    const QString folded = upperAsciiLetters(typed);
    const auto matches = [&](int row) {
        return !folded.isEmpty() && upperAsciiLetters(rows.text(row)).contains(folded);
    };

    int start = selected;
    int found = -1;
    if (folded != remembered) {
        start = 0;
        if (matches(0))
            found = 0;
    }
    for (int row = start; found < 0;) {
        row = (row + 1) % count;
        if (matches(row))
            found = row;
        if (row == start)
            break;
    }

    remembered = folded;
    return {true, found >= 0 ? found : selected};
}

}  // namespace findInList
