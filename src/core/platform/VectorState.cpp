#include "platform/VectorState.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace vectorState {

#if defined(__x86_64__) || defined(__i386__)

namespace {

__attribute__((target("avx"))) void zeroUpper()
{
    _mm256_zeroupper();
}

}  // namespace

void clear()
{
    static const bool wide = __builtin_cpu_supports("avx");
    if (wide)
        zeroUpper();
}

#else

void clear() {}

#endif

}  // namespace vectorState
