#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, then builds and runs every test headless, one build after another:
#   asan     clang with ASan + UBSan: the core's and the window's tests, the window tests again
#            in a headless Wayland compositor, bounded fuzz runs over the number texts
#   core     the core alone with no Qt at all, so that a toolkit header in the core fails here
#   release  g++, optimised: the same tests, plus the end-to-end, screen-reader and package tests
#   web      emscripten: the core's tests under node, the page in Chromium, Firefox ESR and
#            WebKitGTK, and with Orca in Firefox and Chromium
#   win32    mingw-w64: tarrowen.exe and its zip; the core's tests, the scenario list, the
#            layout, the readouts' events and screenshots under wine, each on a private Xvfb
# Ends with CTest's summary line of the last build.
#
#   test.sh              all of them
#   test.sh web core     only those named
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
parts=("$@")
[ ${#parts[@]} -gt 0 ] || parts=(asan core release web win32)

for part in "${parts[@]}"; do
    case $part in
        asan | core | release) bash scripts/install-deps.sh test ;;
        web) bash scripts/install-deps.sh web-test ;;
        win32) bash scripts/install-deps.sh win32 ;;
        *)
            echo "usage: $0 [asan|core|release|web|win32]..." >&2
            exit 2
            ;;
    esac
    # With the tests, whatever an earlier run.sh left in the same build's cache.
    cmake --preset "$part" -DBUILD_TESTING=ON
    cmake --build --preset "$part" -j "$jobs"
    case $part in
        # The end-to-end and screen-reader tests run alone (RUN_SERIAL); the rest in parallel.
        release | web) ctest --preset "$part" ;;
        *) ctest --preset "$part" -j "$jobs" ;;
    esac
done
