#include "storage/PlayerRecord.h"

PlayerRecord PlayerRecord::fromBytes(QByteArrayView bytes)
{
    return Layout.decode(bytes);
}

QByteArray PlayerRecord::toBytes() const
{
    return Layout.encode(*this);
}
