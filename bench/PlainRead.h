#pragma once

#include <QString>

// The floor every list and export is measured against: one sequential pass over the archive's
// records, touching one byte of each. Returns the sum of those bytes, to keep the pass honest.
qint64 plainRead(const QString& archive, int recordSize);
