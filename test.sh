#!/usr/bin/env bash
# Installs what is missing, builds and runs the checks:
#   ./test.sh                   every test, RelWithDebInfo, in build/, then the Debian package
#                               built and checked (scripts/check-package)
#   ./test.sh --sanitize        every test, Debug, under AddressSanitizer (leaks included) and
#                               UndefinedBehaviorSanitizer, in build-sanitize/
#   ./test.sh --fuzz [SECONDS]  each libFuzzer target of tests/fuzz/ for SECONDS (default 20),
#                               built with clang in build-fuzz/
# The suite's test library tests (label "postgres") run against a PostgreSQL server that the first
# two modes start for the run and stop at its end (scripts/test-postgres).
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)

run_suite() {
  local folder=$1
  shift
  cmake -S . -B "$folder" "$@" >/dev/null
  cmake --build "$folder" -j2
  start_postgres
  (cd "$folder" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
}

# A server of its own for the run, handed to the tests by its socket folder and its pg_ctl.
start_postgres() {
  postgres=$(scripts/test-postgres start)
  trap 'scripts/test-postgres stop "$postgres"' EXIT
  export QOR_TEST_PGHOST=$postgres/server QOR_TEST_PGCTL=$postgres/pg-ctl
}

# Runs one fuzzer from its seeds and what earlier runs found; a crash, a failed check, an input
# that runs longer than 10 s or a process above 1 GB fails it.
run_fuzzer() {
  local name=$1 seconds=$2
  local corpus="$root/build-fuzz/corpus/$name" findings="$root/build-fuzz/findings/$name/"
  local log="$root/build-fuzz/$name.log"
  mkdir -p "$corpus" "$findings"
  # The targets that write files do so in a temporary folder: in memory, where there is one.
  local scratch=${TMPDIR:-/tmp}
  if [[ -d /dev/shm && -w /dev/shm ]]; then
    scratch=/dev/shm
  fi
  if ! TMPDIR=$scratch "build-fuzz/tests/fuzz/$name" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=1024 -max_len=16384 -print_final_stats=1 -artifact_prefix="$findings" \
    "$corpus" "$root/tests/fuzz/seeds/$name" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "$name failed; the input is in $findings" >&2
    return 1
  fi
  echo "$name: $(grep -oP 'number_of_executed_units: *\K[0-9]+' "$log") inputs," \
    "$(grep -oP 'average_exec_per_sec: *\K[0-9]+' "$log") per second"
}

scripts/deps
case "${1:-}" in
"")
  run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
  scripts/check-package build
  ;;
--sanitize)
  # Every finding ends the program that made it, so the test fails; leaks are checked at exit.
  export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1
  export LSAN_OPTIONS=suppressions=$root/tests/sanitize/leaks.supp:print_suppressions=0
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
  run_suite build-sanitize -DCMAKE_BUILD_TYPE=Debug -DQOR_SANITIZE=ON
  ;;
--fuzz)
  seconds=${2:-20}
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQOR_FUZZ=ON \
    >/dev/null
  cmake --build build-fuzz -j2 --target qor_fuzzers
  for seeds in tests/fuzz/seeds/*/; do
    run_fuzzer "$(basename "$seeds")" "$seconds"
  done
  ;;
*)
  echo "usage: $0 [--sanitize | --fuzz [SECONDS]]" >&2
  exit 2
  ;;
esac
