#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, then builds and runs every test headless: the sanitizer build
# (clang, ASan + UBSan, with a bounded fuzz run), the core alone with no Qt at all (so that a
# toolkit header sneaking into the core fails here), then the release build (g++, with the
# end-to-end, screen-reader and package tests). Ends with CTest's summary line.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh test
jobs=$(nproc)
for preset in asan core; do
    cmake --preset "$preset"
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
done
cmake --preset release
cmake --build --preset release -j "$jobs"
ctest --preset release
