#include "storage/RecordValues.h"

int RecordFormat::capacityOf(const QString& name) const
{
    for (const Field& field : fields) {
        if (field.name == name)
            return field.capacity;
    }
    return -1;
}
