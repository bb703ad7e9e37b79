#!/usr/bin/env bash
# Lays out a program folder that travels: one folder with the program, golvera-cli, their plugins,
# the user guide and the first-access password store, to copy as it is onto a USB stick or a
# network share. The machine that runs it needs the same Debian packages as the build
# (scripts/install-deps.sh).
#
# Usage: scripts/portable.sh DIR [BUILD-FOLDER]
# BUILD-FOLDER is an existing build (default: build, as run.sh makes it). DIR must not exist yet,
# or be empty.
set -euo pipefail
if [[ $# -lt 1 || $# -gt 2 ]]; then
    echo "uso: $0 CARTELLA [CARTELLA-DI-BUILD]" >&2
    exit 2
fi
target=$1
build=${2:-$(dirname "$0")/../build}
program="$build/bin"
plugins="$build/lib/golvera"

for file in "$program/golvera" "$program/golvera-cli" "$program/unins000.dll" "$program/Guida.pdf"; do
    [[ -f "$file" ]] || { echo "manca $file: costruire prima il programma (scripts/run.sh)" >&2; exit 1; }
done
[[ -d "$plugins" ]] || { echo "manca la cartella dei plugin $plugins" >&2; exit 1; }
if [[ -e "$target" && -n "$(ls -A "$target")" ]]; then
    echo "la cartella $target non è vuota" >&2
    exit 1
fi

# Built in a hidden folder beside the target and renamed at the end: an interrupted run leaves no
# half-made program folder under the target's name.
parent=$(dirname "$target")
mkdir -p "$parent"
work=$(mktemp -d "$parent/.portable-XXXXXX")
trap 'rm -rf "$work"' EXIT
install -m 755 "$program/golvera" "$program/golvera-cli" "$work/"
install -m 644 "$program/unins000.dll" "$program/Guida.pdf" "$work/"
mkdir -p "$work/lib/golvera"
install -m 644 "$plugins"/libgolvera_*.so "$work/lib/golvera/"
chmod 755 "$work" "$work/lib" "$work/lib/golvera"
[[ -d "$target" ]] && rmdir "$target"
mv "$work" "$target"
trap - EXIT
echo "Cartella del programma pronta: $target"
