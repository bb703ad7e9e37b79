// One libFuzzer target; GOLVERA_FUZZ_TARGET names the check it runs (see FuzzChecks.h).
#include "FuzzChecks.h"

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const fuzzChecks::Target* target = [] {
        for (const fuzzChecks::Target& candidate : fuzzChecks::targets()) {
            if (std::strcmp(candidate.name, GOLVERA_FUZZ_TARGET) == 0)
                return &candidate;
        }
        std::fprintf(stderr, "no fuzz check named %s\n", GOLVERA_FUZZ_TARGET);
        std::abort();
    }();
    const QString failure = target->check(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", GOLVERA_FUZZ_TARGET, qPrintable(failure));
        std::abort();
    }
    return 0;
}
