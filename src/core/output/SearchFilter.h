#pragma once

#include <QStringList>

// The filter rule of the search screens. A filter is in use when it holds something besides
// blanks; a filter of blanks only is ignored altogether. A record is listed when the text of
// every filter in use, as typed (blanks around it included), occurs in the record's field, with
// the letters A to Z folded only.
namespace searchFilter {

bool inUse(const QString& filter);

int countInUse(const QStringList& filters);

// `fields[i]` is the record field that `filters[i]` searches.
bool accepts(const QStringList& filters, const QStringList& fields);

// The filters in use, folded once, for a search over many records.
struct Prepared {
    qsizetype index;  // in the list of filters
    QString folded;
};
QList<Prepared> prepare(const QStringList& filters);
bool occurs(const Prepared& filter, const QString& field);

}  // namespace searchFilter
