#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under wine, in a wine prefix of the build's own, quietly:
#   run-under-wine.sh PREFIX_DIR program.exe [arguments...]
# The prefix is made on the first run (a few seconds); runs started together wait for it. The
# program's exit status is this script's.
#
# TARROWEN_WINE_DPI=N gives the prefix's screen N dots per inch (wine's LogPixels; 96 is scale
# 1, 192 scale 2), set once when the prefix is made or when N differs from what it was made
# with. Keep one prefix per dpi: the setting holds for every program of the prefix.
set -euo pipefail
prefix=$1
shift
mkdir -p "$prefix"
export WINEPREFIX=$(cd "$prefix" && pwd)
export WINEDEBUG=-all
# No Mono and no Gecko: neither the tests nor the program need them, and making the prefix
# would offer to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
dpi=${TARROWEN_WINE_DPI:-}
export dpi
flock "$WINEPREFIX/.creating" bash -c '
    [ -f "$WINEPREFIX/system.reg" ] || wineboot --init
    if [ -n "$dpi" ] && [ "$(cat "$WINEPREFIX/.dpi" 2>/dev/null)" != "$dpi" ]; then
        wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f \
            >/dev/null
        wineserver -w
        echo "$dpi" >"$WINEPREFIX/.dpi"
    fi'
exec wine "$@"
