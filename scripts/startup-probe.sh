#!/usr/bin/env bash
# Start-up of the program against a plain window of the login screen's widgets, both on a private
# Xvfb display: the time from the process start to its first window mapped, and the resident
# memory once it has idled, over interleaved runs; prints medians and ratios.
#
# Usage: scripts/startup-probe.sh [build folder] [rounds]
# The build folder must be configured with -DGOLVERA_BUILD_BENCHMARKS=ON (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
rounds=${2:-20}
idle_ms=500

for program in golvera plain_window map_probe; do
    if [[ ! -x "$build/bin/$program" ]]; then
        echo "$build/bin/$program is missing: build with -DGOLVERA_BUILD_BENCHMARKS=ON" >&2
        exit 1
    fi
done
command -v Xvfb >/dev/null || { echo "Xvfb is missing (Debian package xvfb)" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
    [[ -s "$work/display" ]] && break
    sleep 0.05
done
[[ -s "$work/display" ]] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb

mkdir -p "$work/dati"
probe() {
    case "$1" in
        golvera) "$build/bin/map_probe" "$idle_ms" "$build/bin/golvera" --cartella "$work/dati" ;;
        plain) "$build/bin/map_probe" "$idle_ms" "$build/bin/plain_window" ;;
    esac
}

# Warm the page cache and the font cache first.
for _ in 1 2; do probe golvera >/dev/null; probe plain >/dev/null; done
: >"$work/golvera"
: >"$work/plain"
for round in $(seq "$rounds"); do
    # Interleaved, and the order turned every round.
    if (( round % 2 )); then order="golvera plain"; else order="plain golvera"; fi
    for which in $order; do
        probe "$which" >>"$work/$which"
    done
done

median() {  # column $2 of file $1
    sort -n -k"$2","$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
g_ms=$(median "$work/golvera" 1); p_ms=$(median "$work/plain" 1)
g_kb=$(median "$work/golvera" 2); p_kb=$(median "$work/plain" 2)
echo "Start-up to the mapped window, $rounds interleaved runs each (medians):"
printf '  %-28s %10s %12s\n' "program" "ms" "resident kB"
printf '  %-28s %10.2f %12.0f\n' "plain window, same widgets" "$p_ms" "$p_kb"
printf '  %-28s %10.2f %12.0f\n' "golvera, login window" "$g_ms" "$g_kb"
printf '  %-28s %10.2f %12.2f\n' "ratio" "$(awk -v a="$g_ms" -v b="$p_ms" 'BEGIN { print a / b }')" \
    "$(awk -v a="$g_kb" -v b="$p_kb" 'BEGIN { print a / b }')"
