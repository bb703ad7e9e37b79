#!/usr/bin/env bash
# Sets everything up and starts the program. Extra arguments go to the program
# (for example: --cartella /path/to/data).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build -DGOLVERA_BUILD_TESTS=OFF
exec build/bin/golvera "$@"
