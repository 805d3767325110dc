#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under wine, in a wine prefix of the build's own, quietly:
#   run-under-wine.sh PREFIX_DIR program.exe [arguments...]
# The prefix is made on the first run (a few seconds); runs started together wait for it. The
# program's exit status is this script's.
set -euo pipefail
prefix=$1
shift
mkdir -p "$prefix"
export WINEPREFIX=$(cd "$prefix" && pwd)
export WINEDEBUG=-all
# No Mono and no Gecko: a console test needs neither, and making the prefix would offer to
# download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    flock "$WINEPREFIX/.creating" bash -c '[ -f "$WINEPREFIX/system.reg" ] || wineboot --init'
fi
exec wine "$@"
