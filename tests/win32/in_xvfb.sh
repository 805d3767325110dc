#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under wine on a private X server:
#   in_xvfb.sh PREFIX DPI program.exe [arguments...]
# Xvfb picks a free display (-displayfd) and stays up while programs come and go (-noreset).
# Arguments that are absolute Linux paths are handed over as wine's Z: paths. The prefix's
# wine processes end with the test, so that none is left bound to a display that is gone.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
prefix=$1
dpi=$2
shift 2
for tool in Xvfb wine; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps.sh win32)"; exit 1; }
done

work=$(mktemp -d /tmp/tarrowen-wine.XXXXXX)
xvfb_pid=""
cleanup() {
    WINEPREFIX=$(cd "$prefix" 2>/dev/null && pwd) wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

. "$root/scripts/lib/private_xvfb.sh"
start_private_xvfb "$work"

program=$1
shift
args=()
for a in "$@"; do
    case $a in
        /*) args+=("Z:$a") ;;
        *) args+=("$a") ;;
    esac
done
status=0
TARROWEN_WINE_DPI=$dpi bash "$root/cmake/run-under-wine.sh" "$prefix" "$program" "${args[@]}" ||
    status=$?
exit "$status"
