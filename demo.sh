#!/usr/bin/env bash
# Builds the program and runs it against the simulated QOR-1000: lays out the start directory
# demo-run/ with its QOR.dat, the archiver cabarc and the manual QOR1000.Manual.pdf, serves the
# machine there as COM1 with qor-sim, starts qor1000 in that directory and stops the simulator
# when the program ends.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)

scripts/deps
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target qor1000 qor-sim cabarc manual

start="$root/demo-run"
mkdir -p "$start/diagnostic"
# The help tools look for both in the start directory.
cp -f build/tools/cabarc/cabarc build/docs/QOR1000.Manual.pdf "$start/"
# QOR.dat lines end in CR LF.
printf '%s\r\n' \
  "QOR-1000 installation configuration" \
  "PORT=COM1" \
  "UNITS=ENGLISH" \
  "COLORGRAPH=TRUE" \
  "DIRECTORY MANUALVIEWER=/usr/bin/xdg-open" \
  "DIRECTORY DIAGNOSTIC=$start/diagnostic" >"$start/QOR.dat"

build/sim/qor-sim --dir "$start" &
simulator=$!
trap 'kill "$simulator" 2>/dev/null || true; wait "$simulator" 2>/dev/null || true' EXIT

# The simulator links COM1 in the start directory once it is serving.
for _ in $(seq 100); do
  [[ -e "$start/COM1" ]] && break
  kill -0 "$simulator" 2>/dev/null || { echo "demo: qor-sim did not start" >&2; exit 1; }
  sleep 0.1
done
[[ -e "$start/COM1" ]] || { echo "demo: qor-sim did not link $start/COM1" >&2; exit 1; }

(cd "$start" && "$root/build/app/qor1000")
