#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a fresh Debian 12 machine for Tessaroon, builds it in Release and then either starts the
# game in its start folder ("run"), runs every test ("test") or builds the Debian package
# ("package"). "run" installs and builds only what the game and the companion need; "test" and
# "package" install and build everything (tests, benchmarks, fuzzing, the end-to-end and install
# runs, the packaging tools). Safe to run again: packages already installed are not touched and
# the build is incremental.
set -euo pipefail

mode=${1:-run}
top=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSAROON_BUILD_DIR:-$top/build}

# What building and running the game and the companion need (Qt Charts, for the review's score
# chart, finds its build files only with the OpenGL module's)...
run_packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-tools-dev qt6-l10n-tools
    qt6-translations-l10n qt6-charts-dev libqt6opengl6-dev libjpeg62-turbo-dev zlib1g-dev
    nlohmann-json3-dev fonts-dejavu-core fonts-liberation fp-utils libchm-dev)
# ...and what the tests, benchmarks, fuzzing, the end-to-end and install runs and the Debian
# package add (wordnet-base: the check that the shipped word explanations are what tools/dicts
# makes of it; the game itself never reads it).
test_packages=(wordnet-base libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool imagemagick dbus-daemon
    ccache clang libclang-rt-14-dev dpkg-dev file desktop-file-utils appstream man-db librsvg2-bin lintian
    at-spi2-core python3-pyatspi orca xclip)

case "$mode" in
run)
    packages=("${run_packages[@]}")
    # A new build folder leaves the tests and benchmarks out, so that their packages are not
    # needed; one that the test command set up keeps them configured (and unbuilt here).
    options=()
    [ -f "$build/CMakeCache.txt" ] || options=(-DTESSAROON_BUILD_TESTS=OFF -DTESSAROON_BUILD_BENCH=OFF)
    targets=(tessaroon tessaroon-cli)
    ;;
test | package)
    packages=("${run_packages[@]}" "${test_packages[@]}")
    # A compiler warning fails these builds.
    options=(-DTESSAROON_BUILD_TESTS=ON -DTESSAROON_BUILD_BENCH=ON -DTESSAROON_WERROR=ON)
    targets=(all)
    ;;
*)
    echo "usage: $0 [run|test|package]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get -o DPkg::Lock::Timeout=900 update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=900 install -y --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${options[@]}"
cmake --build "$build" -j "$jobs" --target "${targets[@]}"

case "$mode" in
run)
    cd "$top/game"
    exec "$build/src/ui/tessaroon"
    ;;
test)
    cd "$build"
    ctest --output-on-failure -j "$jobs" --timeout 1500
    if [ -x "$top/tests/e2e/run.sh" ]; then "$top/tests/e2e/run.sh" "$build"; fi
    "$top/tests/install/run.sh" "$build"
    # The unit tests and the fuzz corpora once more, built with AddressSanitizer and
    # UndefinedBehaviorSanitizer in a folder of their own: any finding fails the run.
    sanitize=${TESSAROON_SANITIZE_DIR:-$build-sanitize}
    cmake -S "$top" -B "$sanitize" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSAROON_SANITIZE=ON \
        -DTESSAROON_BUILD_UI=OFF -DTESSAROON_BUILD_BENCH=OFF
    cmake --build "$sanitize" -j "$jobs"
    cd "$sanitize"
    ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --output-on-failure -j "$jobs" --timeout 3000
    # A short libFuzzer run of every fuzz target in a clang build beside the build folder.
    "$top/tests/fuzz/run.sh" "$build"
    ;;
package)
    cd "$build"
    cpack -G DEB
    deb=$(ls -t "$build"/tessaroon_*.deb | head -n 1)
    # Debian's package checker: no error and no warning (dist/lintian-overrides says why for each
    # override).
    lintian --fail-on error,warning "$deb"
    echo "lintian passed: no error or warning in $(basename "$deb")"
    echo "Built $deb; install it with: sudo apt install $deb"
    ;;
esac
