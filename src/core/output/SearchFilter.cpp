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

bool accepts(const QStringList& filters, const QStringList& fields)
{
    Q_ASSERT(filters.size() == fields.size());
    for (qsizetype i = 0; i < filters.size(); ++i) {
        if (inUse(filters.at(i)) && !upperAsciiLetters(fields.at(i)).contains(upperAsciiLetters(filters.at(i))))
            return false;
    }
    return true;
}

}  // namespace searchFilter
