#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows part: installs what is missing (mingw-w64, wine, Xvfb, ImageMagick, rsvg), builds
# tarrowen.exe with the cross-compiling preset, and runs under wine, each on a private Xvfb, the
# core's tests, the shared scenario list, the layout and keyboard checks at scale 1 and 2, the
# readouts' accessibility events and the screenshots; then builds the zip and looks into it.
# Ends with CTest's summary line. The program and the zip are left in build/win32 (win32/ and
# package/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh win32
# Two cores are shared with other work: two jobs at most.
jobs=$(($(nproc) < 2 ? $(nproc) : 2))
cmake --preset win32
cmake --build --preset win32 -j "$jobs"
ctest --preset win32 -j "$jobs"
