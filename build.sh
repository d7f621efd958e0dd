#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program or its tests.
#   ./build.sh run    build Release and start Zorbon in this folder
#   ./build.sh test   build and run every test through CTest
#   ./build.sh bench  build the benchmarks in Release and print their table (never part of test)
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  libgtest-dev libgmock-dev
  fonts-dejavu-core locales
)

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
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
  fi
  if ! cmake --build "$dir" -- -j"$(nproc)" >"$dir/build.log" 2>&1; then
    cat "$dir/build.log"
    return 1
  fi
}

cmd=${1:-}
case "$cmd" in
  run)
    install_missing "${PACKAGES[@]}"
    configure_and_build build/release Release -DZORBON_TESTS=OFF
    exec ./build/release/zorbon
    ;;
  test)
    install_missing "${PACKAGES[@]}"
    configure_and_build build/test RelWithDebInfo
    (cd build/test && ctest --output-on-failure -j"$(nproc)")
    # Once more under AddressSanitizer and UndefinedBehaviorSanitizer: any report fails the run.
    configure_and_build build/asan Debug -DZORBON_SANITIZE=ON
    export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1"
    export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    (cd build/asan && ctest --output-on-failure -j"$(nproc)")
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
