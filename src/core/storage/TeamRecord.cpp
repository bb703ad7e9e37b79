#include "storage/TeamRecord.h"

TeamRecord TeamRecord::fromBytes(QByteArrayView bytes)
{
    return Layout.decode(bytes);
}

QByteArray TeamRecord::toBytes() const
{
    return Layout.encode(*this);
}
