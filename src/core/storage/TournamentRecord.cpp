#include "storage/TournamentRecord.h"

TournamentRecord TournamentRecord::fromBytes(QByteArrayView bytes)
{
    return Layout.decode(bytes);
}

QByteArray TournamentRecord::toBytes() const
{
    return Layout.encode(*this);
}
