#include "output/SearchFilter.h"

#include "text/TextRules.h"

#include <QtGlobal>

namespace searchFilter {

bool inUse(const QString& filter)
{
    return !trimControls(filter).isEmpty();
}

int countInUse(const QStringList& filters)
{
    int count = 0;
    for (const QString& filter : filters)
        count += inUse(filter) ? 1 : 0;
    return count;
}

QList<Prepared> prepare(const QStringList& filters)
{
    QList<Prepared> result;
    for (qsizetype i = 0; i < filters.size(); ++i) {
        if (inUse(filters.at(i)))
            result.append({i, upperAsciiLetters(filters.at(i))});
    }
    return result;
}

bool occurs(const Prepared& filter, const QString& field)
{
    return upperAsciiLetters(field).contains(filter.folded);
}

bool accepts(const QStringList& filters, const QStringList& fields)
{
    Q_ASSERT(filters.size() == fields.size());
    for (const Prepared& filter : prepare(filters)) {
        if (!occurs(filter, fields.at(filter.index)))
            return false;
    }
    return true;
}

}  // namespace searchFilter
