#!/usr/bin/env bash
# Sets everything up, builds into build-tests/ with warnings as errors, and runs every test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build-tests -DGOLVERA_BUILD_TESTS=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
ctest --test-dir build-tests --output-on-failure -j"$(nproc)"
