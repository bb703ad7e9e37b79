#!/usr/bin/env bash
# Sets everything up, builds, and runs every test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DGOLVERA_BUILD_TESTS=ON
ctest --test-dir build --output-on-failure -j"$(nproc)"
