#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the page: one file, build/web/web/tarrowen.html, with the program inside, that runs
# when opened from disk (a USB stick, a download) with no network, or from any web server.
# Installs emscripten first where it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh web
cmake --preset web
nice cmake --build --preset web -j 2 --target tarrowen_page
page=build/web/web/tarrowen.html
echo "$page: $(stat -c %s "$page") bytes"
