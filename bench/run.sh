#!/usr/bin/env bash
# Builds the benchmarks in Release (build/bench) and prints one table of every measurement.
# Timings are medians; the machine may be shared, so compare runs taken at quiet moments.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=$ROOT/build/bench

if [ ! -f "$BUILD/build.ninja" ]; then
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORBON_TESTS=OFF -DZORBON_BENCH=ON >/dev/null
fi
if ! cmake --build "$BUILD" -- -j"$(nproc)" >"$BUILD/build.log" 2>&1; then
  cat "$BUILD/build.log"
  exit 1
fi

LOAD=$(cut -d' ' -f1-3 /proc/loadavg)
OUT=$(mktemp)
trap 'rm -f "$OUT"' EXIT
# The journal's commits once more on the disk that holds the build (not tmpfs).
"$BUILD/bench/engine_bench" build/bench >>"$OUT"
QT_QPA_PLATFORM=offscreen "$BUILD/bench/startup_bench" "$BUILD/bench/floor" "$BUILD/bench/zorbon_probe" 31 >>"$OUT"
# The actions once more with the working folder on the disk that holds the build (not tmpfs).
QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 "$BUILD/bench/ui_bench" 50 build/bench >>"$OUT" 2>"$BUILD/ui_bench.log" || {
  cat "$BUILD/ui_bench.log"
  exit 1
}

# The players' display after each result, closed and open on each of its pages.
QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 "$BUILD/bench/display_bench" 4 >>"$OUT" 2>"$BUILD/display_bench.log" || {
  cat "$BUILD/display_bench.log"
  exit 1
}

# Zooming and fitting the 32 bracket.
QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 "$BUILD/bench/zoom_bench" 20 >>"$OUT" 2>"$BUILD/zoom_bench.log" || {
  cat "$BUILD/zoom_bench.log"
  exit 1
}

# The season ranking over 500 archived tournaments, and its window.
QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 "$BUILD/bench/ranking_bench" build/bench >>"$OUT" 2>"$BUILD/ranking_bench.log" || {
  cat "$BUILD/ranking_bench.log"
  exit 1
}

# The phones page: 300 phones polling for 60 s over loopback while results are entered.
QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 "$BUILD/bench/mobile_bench" 300 60 >>"$OUT" 2>"$BUILD/mobile_bench.log" || {
  cat "$BUILD/mobile_bench.log"
  exit 1
}

# The register of players: completion over 5,000 names, the import of 1,000 (tmpfs and the disk).
QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 "$BUILD/bench/club_bench" 10 build/bench >>"$OUT" 2>"$BUILD/club_bench.log" || {
  cat "$BUILD/club_bench.log"
  exit 1
}

cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
echo "Machine: $(nproc) cores, $cpu; load average $LOAD before the run"
grep '^note: ' "$OUT" | sed 's/^note: /- /'
echo
echo "| Measure | Median | Budget | |"
echo "|---|---|---|---|"
grep '^| ' "$OUT"
