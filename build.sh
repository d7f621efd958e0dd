#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program or its tests.
#   ./build.sh run    build Release and start Zorbon in this folder
#   ./build.sh test   build and run every test through CTest
#   ./build.sh bench  build the benchmarks in Release and print their table (test compiles them, never runs them)
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  libgtest-dev libgmock-dev libsqlite3-dev
  fonts-dejavu-core locales
  poppler-utils # pdftotext and pdfinfo read the printed bracket back in the tests
  libcpp-httplib-dev libqrencode-dev qt6-svg-dev # the phones page: its server, QR code and bracket picture
  libfontconfig-dev # start-up reads the font configuration ahead of Qt
)
# Only the test run needs these: the format check and clang-tidy.
# libbenchmark-dev: the benchmarks are compiled with the tests, so they never stop building unseen.
TEST_PACKAGES=(clang-format clang-tidy chromium libbenchmark-dev) # chromium: the phones page in a real browser
# Only the fuzz stage of "test" needs these.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

configure_and_build() { # dir, build type, extra cmake args...
  local dir=$1 type=$2
  shift 2
  # Configured every time, so a folder made before an option was added still gets it.
  cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
  if ! cmake --build "$dir" -- -j"$(nproc)" >"$dir/build.log" 2>&1; then
    cat "$dir/build.log"
    return 1
  fi
}

# The fuzz targets (fuzz/): built with clang, then the checked-in corpus is replayed and each target
# fuzzes for FUZZ_SECONDS (60 by default), side by side. Any finding fails the run and is saved
# under build/fuzz/ as crash-*, leak-* or timeout-*; replay it with build/fuzz/<target>_fuzz FILE.
fuzz() {
  install_missing "${FUZZ_PACKAGES[@]}"
  local dir=build/fuzz seconds=${FUZZ_SECONDS:-60}
  if [ ! -f "$dir/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$ROOT/fuzz" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  fi
  cmake "$dir" -DZORBON_WERROR=ON >/dev/null
  if ! cmake --build "$dir" -- -j"$(nproc)" >"$dir/build.log" 2>&1; then
    cat "$dir/build.log"
    return 1
  fi
  (cd "$dir" && ctest --output-on-failure) | tee -a "$SUMMARY"
  local pids=() t failed=0
  for t in records engine journal playerlist; do
    rm -rf "$dir/run/$t"
    mkdir -p "$dir/run/$t"
    "$dir/${t}_fuzz" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 -artifact_prefix="$ROOT/$dir/" \
      "$dir/run/$t" "fuzz/corpus/$t" >"$dir/$t.log" 2>&1 &
    pids+=($!)
  done
  for t in records engine journal playerlist; do
    if ! wait "${pids[0]}"; then
      tail -n 60 "$dir/$t.log"
      failed=1
    fi
    pids=("${pids[@]:1}")
    echo "fuzz $t: $(grep -a -o 'number_of_executed_units: [0-9]*' "$dir/$t.log" | grep -o '[0-9]*') executions in ${seconds} s"
  done
  return $failed
}

# clang-tidy (.clang-tidy) over our own translation units in src/ and tools/, with the test build's
# compile commands, two at a time; any finding fails the run.
tidy() {
  local log=build/test/clang-tidy.log start=$SECONDS
  # The test build's -Werror would turn clang's own warnings, which differ from the compiler's, into
  # errors that no check names.
  if ! find src tools -name '*.cpp' -print0 |
    xargs -0 -P"$(nproc)" -n4 clang-tidy -p build/test --quiet --extra-arg=-Wno-error >"$log" 2>&1; then
    grep -v -e '^[0-9]* warnings\? generated' -e '^Suppressed [0-9]* warnings' -e '^Use -header-filter' "$log"
    return 1
  fi
  echo "clang-tidy: src/ and tools/ clean in $((SECONDS - start)) s"
}

cmd=${1:-}
case "$cmd" in
  run)
    install_missing "${PACKAGES[@]}"
    configure_and_build build/release Release -DZORBON_TESTS=OFF
    exec ./build/release/zorbon
    ;;
  test)
    install_missing "${PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    # Every source file as the checked-in .clang-format lays it out; the first thing to fail.
    find src tests fuzz bench tools -name '*.cpp' -print0 -o -name '*.h' -print0 | xargs -0 clang-format --dry-run -Werror
    echo "format: every C++ file as .clang-format lays it out"
    # The test builds take every warning as an error; "run" does not, so a newer compiler's new
    # warning never keeps the program from building.
    configure_and_build build/test RelWithDebInfo -DZORBON_WERROR=ON -DZORBON_BENCH=ON
    tidy
    SUMMARY=$ROOT/build/ctest-summary.log
    : >"$SUMMARY"
    (cd build/test && ctest --output-on-failure -j"$(nproc)") | tee -a "$SUMMARY"
    # Once more under AddressSanitizer and UndefinedBehaviorSanitizer: any report fails the run.
    configure_and_build build/asan Debug -DZORBON_SANITIZE=ON -DZORBON_WERROR=ON
    export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1"
    export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    (cd build/asan && ctest --output-on-failure -j"$(nproc)") | tee -a "$SUMMARY"
    fuzz
    # One line for all three stages (normal, sanitizers, fuzz corpus).
    awk '/tests passed, [0-9]+ tests failed out of/ { total += $NF; failed += $4 }
         END { printf "total: %d passed, %d failed\n", total - failed, failed }' "$SUMMARY"
    ;;
  bench)
    install_missing "${PACKAGES[@]}" libbenchmark-dev
    exec bench/run.sh
    ;;
  *)
    echo "usage: $0 run|test|bench" >&2
    exit 2
    ;;
esac
