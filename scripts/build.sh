#!/usr/bin/env bash
# Configures and builds into the folder given first (the program folder is <folder>/bin); the
# other arguments go to CMake. run.sh and test.sh keep separate folders, so switching between
# them never reconfigures.
set -euo pipefail
cd "$(dirname "$0")/.."
folder="$1"
shift
# A compiler cache, where the machine has one, makes a rebuild in a new clone take minutes, not
# the better part of an hour on two cores.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@"
cmake --build "$folder" -j"$(nproc)"
