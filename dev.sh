#!/usr/bin/env bash
# Sets up a Debian 12 machine for Tovu, then builds and starts it, tests it,
# measures it, or packages it for Debian and Windows.
#   ./dev.sh run      install what is missing, build, start Tovu
#   ./dev.sh test     install what is missing, build, run every test
#   ./dev.sh test quick   the Linux build and its unit, Qt and system tests only
#   ./dev.sh fuzz [SECONDS]   search with the fuzz target, seeded at random (600 s)
#   ./dev.sh bench    install what is missing, build, run the benchmarks
#   ./dev.sh package  install what is missing, build in out/: tovu_VERSION_ARCH.deb,
#                     tovu-VERSION-win32/ and -win64/ (tovu.exe, the four lists and
#                     README.txt) with their .zip, and SHA256SUMS
# On a host that runs no 32-bit programs (or with TOVU_WINE64_ONLY=1) the Windows
# tests and benchmarks run the 64-bit build; tools/wine.sh tells which.
set -euo pipefail
cd "$(dirname "$0")"
. tools/wine.sh

RUN_PACKAGES=(cmake g++ make pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev libxcb1-dev
              fonts-ipafont-gothic)
# Windows builds, and Wine to run them here (32-bit programs need i386 libraries).
WINDOWS_PACKAGES=(mingw-w64 wine wine64 wine32:i386 locales)
# CPack's Debian package: dpkg-shlibdeps finds its libraries, file its programs.
DEB_PACKAGES=(dpkg-dev file)
TEST_PACKAGES=(libgtest-dev libbenchmark-dev libx11-dev xvfb xauth xfonts-base openbox xdotool xclip x11-utils
               x11-xserver-utils wmctrl imagemagick xserver-xorg-core xserver-xorg-video-dummy clang libclang-rt-14-dev
               dbus-daemon dbus-bin at-spi2-core orca speech-dispatcher  # a screen reader listening, on Linux
               xfce4-clipman  # a clipboard manager, which takes the copied text at the exit
               # GNOME's compositor, a person's hands on it, Qt as a Wayland client and what its menus show (the
               # package needs none of it)
               mutter xwayland pipewire wireplumber python3-dbus python3-gi qt6-wayland python3-pyatspi
               "${WINDOWS_PACKAGES[@]}"
               "${DEB_PACKAGES[@]}" desktop-file-utils appstream)  # the Debian package and its validators
JOBS=2
VERSION=$(sed -n 's/^project(tovu VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
SUDO=()
[ "$(id -u)" -eq 0 ] || SUDO=(sudo)

install_missing() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  if [[ " ${missing[*]} " == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${SUDO[@]}" dpkg --add-architecture i386
  fi
  "${SUDO[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Wine speaks code page 932 only in a Japanese locale.
japanese_locale() {
  locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8' && return 0
  "${SUDO[@]}" sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  "${SUDO[@]}" locale-gen >/dev/null
}

build() {  # build folder, then cmake options (every command states all it needs:
  local dir=$1  # a folder's cache keeps what an earlier command set)
  shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVU_QT=ON -DTOVU_SANITIZE=OFF -DTOVU_FUZZ=OFF "$@" >/dev/null
  cmake --build "$dir" -j "$JOBS"
}

sanitizer_build() {
  build build-asan -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTOVU_WERROR=ON -DTOVU_SANITIZE=ON -DTOVU_FUZZ=ON \
    -DTOVU_QT=OFF -DTOVU_TESTS=ON -DTOVU_BENCH=OFF
}

windows_build() {  # width (32 or 64), then cmake options
  local width=$1 target=i686
  shift
  [ "$width" = 32 ] || target=x86_64
  build "build-win$width" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-$target.cmake "$@"
}

# The Debian package as shipped: build-pkg/tovu_VERSION_ARCH.deb, for /usr.
deb_package() {
  build build-pkg -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DTOVU_TESTS=OFF -DTOVU_BENCH=OFF \
    -DTOVU_WERROR=OFF
  rm -f build-pkg/*.deb
  (cd build-pkg && cpack -G DEB >/dev/null)
}

# Packages stamped with the last commit's time, so the same sources give the same bytes.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}

case "${1:-}" in
  run)
    install_missing "${RUN_PACKAGES[@]}"
    build build -DTOVU_TESTS=OFF -DTOVU_BENCH=OFF -DTOVU_WERROR=OFF
    exec ./build/tovu "${@:2}"
    ;;
  test)
    if [ "${2:-}" = quick ]; then
      install_missing "${RUN_PACKAGES[@]}" libgtest-dev libbenchmark-dev
      build build -DTOVU_WERROR=ON -DTOVU_TESTS=ON -DTOVU_BENCH=ON
      exec ctest --test-dir build --output-on-failure -j "$JOBS"
    fi
    install_missing "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    japanese_locale
    start=$(date +%s) not_run=
    wine_runs_32bit || not_run="the 32-bit Windows build's tests (unit, window and end-to-end), because \
this host runs no 32-bit programs; it was built, and the 64-bit build ran every Windows test"
    echo "== build (warnings are errors)"
    build build -DTOVU_WERROR=ON -DTOVU_TESTS=ON -DTOVU_BENCH=ON
    echo "== unit, Qt and system tests"
    ctest --test-dir build --output-on-failure -j "$JOBS"
    echo "== unit tests under AddressSanitizer and UndefinedBehaviorSanitizer; the fuzz target"
    sanitizer_build
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --test-dir build-asan --output-on-failure -j "$JOBS"
    tests/fuzz/run.sh build-asan
    for width in 32 64; do
      echo "== the Windows build, $width-bit: its unit tests under Wine"
      # Release, as the zips ship it (and a third quicker to build than with debug information).
      windows_build $width -DCMAKE_BUILD_TYPE=Release -DTOVU_WERROR=ON -DTOVU_TESTS=ON -DTOVU_BENCH=OFF
      [ "$width" = 64 ] || wine_runs_32bit || { echo "(built only: this host runs no 32-bit programs)" && continue; }
      # One Wine prefix serves both widths.
      TOVU_WINEPREFIX=$PWD/build-wine/prefix ctest --test-dir "build-win$width" --output-on-failure
    done
    echo "== desktop end-to-end tests: Linux, then Windows under Wine"
    tests/e2e/run_all.sh build
    if wine_runs_32bit; then
      E2E_TARGET=wine tests/e2e/run_all.sh build-win32
      # The 64-bit build differs only in width: the cases that touch the system.
      E2E_TARGET=wine tests/e2e/run_all.sh build-win64 first_entry always_on_top command_line_and_new_notepad \
        exit_writes_settings saved_geometry_round_trip read_only_folder_keeps_settings session_end_saves_settings
    else
      E2E_TARGET=wine tests/e2e/run_all.sh build-win64
    fi
    echo "== desktop end-to-end tests on GNOME's compositor (mutter, headless, its Xwayland; Qt on Wayland)"
    status=0 && tests/e2e/gnome.sh build | tee build/gnome.out || status=$?
    [ $status -eq 77 ] || [ $status -eq 0 ] || exit "$status"
    [ $status -eq 0 ] ||
      not_run+="${not_run:+; and }the desktop cases on GNOME's compositor, because $(tail -n 1 build/gnome.out)"
    echo "== the Debian package: its entries, contents and libraries; the packaged program"
    deb_package
    tests/package.sh build-pkg/tovu_*.deb
    E2E_TARGET=deb tests/e2e/run_all.sh build-pkg first_entry read_only_folder_keeps_settings \
      copied_code_outlives_the_program
    echo "== all tests passed in $(($(date +%s) - start)) s"
    [ -z "$not_run" ] || echo "Not run: $not_run."
    ;;
  fuzz)
    install_missing cmake make g++ clang libclang-rt-14-dev libgtest-dev
    sanitizer_build
    tests/fuzz/run.sh build-asan "${2:-600}"
    ;;
  bench)
    install_missing "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    japanese_locale
    # Builds for use, as `run` makes: the test build holds the line on warnings.
    build build-bench -DCMAKE_BUILD_TYPE=Release -DTOVU_TESTS=OFF -DTOVU_BENCH=ON -DTOVU_WERROR=OFF
    # The shipped 32-bit build where it can run, else the 64-bit one.
    if wine_runs_32bit; then width=32; else width=64; fi
    windows_build "$width" -DCMAKE_BUILD_TYPE=Release -DTOVU_TESTS=OFF -DTOVU_BENCH=ON -DTOVU_WERROR=OFF
    bench/run_all.sh build-bench "build-win$width"
    ;;
  package)
    install_missing "${RUN_PACKAGES[@]}" "${DEB_PACKAGES[@]}" mingw-w64 zip
    rm -rf out && mkdir out
    for width in 32 64; do
      windows_build $width -DCMAKE_BUILD_TYPE=Release -DTOVU_TESTS=OFF -DTOVU_BENCH=OFF -DTOVU_WERROR=OFF
      folder=tovu-$VERSION-win$width
      mkdir "out/$folder"
      cp "build-win$width/tovu.exe" "build-win$width/README.txt" data/list[1-4].nl2 "out/$folder/"
      # The same zip each time: the commit's time, names in order, no owner or access times.
      touch -d "@$SOURCE_DATE_EPOCH" "out/$folder" "out/$folder"/*
      (cd out && export LC_ALL=C TZ=UTC && zip -qX "$folder.zip" "$folder" "$folder"/*)
    done
    deb_package
    cp build-pkg/tovu_*.deb out/
    (cd out && sha256sum -- *.deb *.zip >SHA256SUMS && ls -1 -- *.deb *.zip SHA256SUMS | sed 's|^|out/|')
    ;;
  *)
    echo "usage: $0 run|test [quick]|fuzz [SECONDS]|bench|package" >&2
    exit 2
    ;;
esac
