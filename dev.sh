#!/usr/bin/env bash
# Sets up a Debian 12 machine for Tovu, then builds and starts it or tests it.
#   ./dev.sh run    install what is missing, build, start Tovu
#   ./dev.sh test   install what is missing, build, run every test
#   ./dev.sh bench  install what is missing, build, run the benchmarks
set -euo pipefail
cd "$(dirname "$0")"

RUN_PACKAGES=(cmake g++ make pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev libxcb1-dev
              fonts-ipafont-gothic)
TEST_PACKAGES=(libgtest-dev libbenchmark-dev libx11-dev xvfb xauth xfonts-base openbox xdotool xclip x11-utils
               x11-xserver-utils imagemagick)
JOBS=2

install_missing() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {  # build folder, then cmake options (every command states all it needs:
  local dir=$1  # a folder's cache keeps what an earlier command set)
  shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVU_QT=ON -DTOVU_SANITIZE=OFF "$@" >/dev/null
  cmake --build "$dir" -j "$JOBS"
}

case "${1:-}" in
  run)
    install_missing "${RUN_PACKAGES[@]}"
    build build -DTOVU_TESTS=OFF -DTOVU_BENCH=OFF -DTOVU_WERROR=OFF
    exec ./build/tovu "${@:2}"
    ;;
  test)
    install_missing "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    start=$(date +%s)
    echo "== build (warnings are errors)"
    build build -DTOVU_WERROR=ON -DTOVU_TESTS=ON -DTOVU_BENCH=ON
    echo "== unit, Qt and system tests"
    ctest --test-dir build --output-on-failure -j "$JOBS"
    echo "== unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
    build build-asan -DTOVU_WERROR=ON -DTOVU_SANITIZE=ON -DTOVU_QT=OFF -DTOVU_TESTS=ON -DTOVU_BENCH=OFF
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --test-dir build-asan --output-on-failure -j "$JOBS"
    echo "== desktop end-to-end tests"
    tests/e2e/run_all.sh build
    echo "== all tests passed in $(($(date +%s) - start)) s"
    ;;
  bench)
    install_missing "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    # No -Werror here: GCC 12 warns falsely at -O3; the test build holds the line.
    build build-bench -DCMAKE_BUILD_TYPE=Release -DTOVU_TESTS=OFF -DTOVU_BENCH=ON -DTOVU_WERROR=OFF
    bench/run_all.sh build-bench
    ;;
  *)
    echo "usage: $0 run|test|bench" >&2
    exit 2
    ;;
esac
