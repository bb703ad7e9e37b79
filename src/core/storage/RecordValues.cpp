#include "storage/RecordValues.h"

int RecordFormat::capacityOf(const QString& name) const
{
    const int index = indexOf(name);
    return index < 0 ? -1 : fields.at(index).capacity;
}

int RecordFormat::indexOf(const QString& name) const
{
    for (int i = 0; i < fields.size(); ++i) {
        if (fields.at(i).name == name)
            return i;
    }
    return -1;
}
