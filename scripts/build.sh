#!/usr/bin/env bash
# Configures and builds into the folder given first (the program folder is <folder>/bin); the
# other arguments go to CMake. run.sh and test.sh keep separate folders, so switching between
# them never reconfigures.
set -euo pipefail
cd "$(dirname "$0")/.."
folder="$1"
shift
cmake -S . -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$folder" -j"$(nproc)"
