#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh run
cmake --preset release
cmake --build --preset release -j "$(nproc)" --target tarrowen
exec ./build/release/qt/tarrowen
