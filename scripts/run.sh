#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh run
# The tests' libraries are not installed for running: configured without them. (test.sh
# configures the same build with them again.)
cmake --preset release -DBUILD_TESTING=OFF
cmake --build --preset release -j "$(nproc)" --target tarrowen
exec ./build/release/qt/tarrowen
