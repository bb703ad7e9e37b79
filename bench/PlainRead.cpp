#include "PlainRead.h"

#include "storage/RecordFile.h"

qint64 plainRead(const QString& archive, int recordSize)
{
    RecordFile file(archive, recordSize);
    qint64 sum = 0;
    file.scan([&sum](qint64, QByteArrayView record) {
        sum += record.at(0);
        return true;
    });
    return sum;
}
