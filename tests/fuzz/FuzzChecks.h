#pragma once

// What the fuzzers check on any bytes at all, shared by the libFuzzer targets and by the test that
// replays their corpus in every run. Each check returns what went wrong, or an empty text.
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace fuzzChecks {

struct Target {
    const char* name;  // also the corpus folder's name
    QString (*check)(QByteArrayView data);
};

// The three record readers and the password store reader.
const QList<Target>& targets();

}  // namespace fuzzChecks
