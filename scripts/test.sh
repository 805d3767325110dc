#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, then builds and runs every test headless: first the sanitizer
# build (clang, ASan + UBSan, with a bounded fuzz run), then the release build (g++, with the
# end-to-end test in a private Xvfb), then the Windows build under wine (scripts/test-win32.sh).
# Ends with CTest's summary line.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh test
jobs=$(nproc)
cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"
cmake --preset release
cmake --build --preset release -j "$jobs"
ctest --preset release
bash scripts/test-win32.sh
