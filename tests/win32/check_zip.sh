#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Windows zip with CPack and looks into it: the program, the README and the licence,
# nothing else; the program in it is the one built, at most 2 MB, and imports no DLL that
# Windows does not have itself.
#   check_zip.sh BUILD_DIR PROGRAM.exe
set -euo pipefail
build=$1
exe=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

(cd "$build" && cpack --config CPackConfig.cmake >/dev/null)
zip=$(ls "$build"/package/tarrowen-*-windows-x64.zip)
work=$(mktemp -d /tmp/tarrowen-zip.XXXXXX)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$zip")
top=$(basename "$zip" .zip)
listing=$(cd "$work" && find . -type f | sort | tr '\n' ' ')
want="./$top/LICENSE.txt ./$top/README.txt ./$top/tarrowen.exe "
if [ "$listing" = "$want" ]; then pass "the zip holds $want"; else fail "the zip holds $listing, not $want"; fi
if cmp -s "$exe" "$work/$top/tarrowen.exe"; then pass "its tarrowen.exe is the one built"; else fail "its tarrowen.exe differs from $exe"; fi

size=$(stat -c %s "$exe")
if [ "$size" -le $((2 * 1024 * 1024)) ]; then pass "tarrowen.exe is $size bytes (at most 2 MB)"; else fail "tarrowen.exe is $size bytes, over 2 MB"; fi

# Windows' own DLLs, which every Windows 10 and 11 has in System32.
own=" KERNEL32.dll USER32.dll GDI32.dll COMCTL32.dll ole32.dll WINMM.dll msvcrt.dll "
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')
foreign=""
for dll in $imports; do
    case $own in *" $dll "*) ;; *) foreign="$foreign $dll" ;; esac
done
if [ -z "$foreign" ] && [ -n "$imports" ]; then pass "imports only Windows' own DLLs: $imports"; else fail "imports$foreign beyond Windows' own"; fi
echo "$((4 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
