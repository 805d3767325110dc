#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, then builds and runs every test headless: first the sanitizer
# build (clang, ASan + UBSan, with a bounded fuzz run), then the release build (g++, with the
# end-to-end test in a private Xvfb), then the browser build (emscripten: the core's tests
# under node, the page in headless Chromium). Ends with CTest's summary line.
#
#   test.sh        all three
#   test.sh web    the browser build alone
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

test_web() {
    bash scripts/install-deps.sh web-test
    cmake --preset web
    cmake --build --preset web -j "$jobs"
    ctest --preset web
}
if [ "${1:-}" = web ]; then
    test_web
    exit
fi

bash scripts/install-deps.sh test
cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"
cmake --preset release
cmake --build --preset release -j "$jobs"
ctest --preset release
test_web
