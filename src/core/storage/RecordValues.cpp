#include "storage/RecordValues.h"

int RecordFormat::capacityOf(const QString& name) const
{
    for (const Field& field : fields) {
        if (field.name == name)
            return field.capacity;
    }
    return -1;
}

int RecordFormat::indexOf(const QString& name) const
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (fields.at(i).name == name)
            return int(i);
    }
    return -1;
}
