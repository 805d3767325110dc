#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a configured and built tree, lints it, and checks what a
# distribution and a software centre read from it.
#
#   check_package.sh CPACK CPACK_CONFIG WORKDIR VERSION APP_ID
#
# Fails on any lintian error or warning (lintian's whole output is printed either way), on a
# file missing from the package, on a compressed file that carries a time stamp or a name, on
# a control field that differs from what the build promises, on a version that the changelog,
# the AppStream release or the manual page do not share, and on AppStream metadata that does
# not validate together with the desktop entry and the icon it names.
set -euo pipefail

if [ $# -ne 5 ]; then
    echo "usage: $0 CPACK CPACK_CONFIG WORKDIR VERSION APP_ID" >&2
    exit 2
fi
cpack=$1 config=$2 work=$3 version=$4 app_id=$5

for tool in dpkg-deb lintian appstreamcli gzip; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is missing (Debian: dpkg, lintian, appstream, gzip)" >&2
        exit 1
    fi
done

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
pass() { echo "ok: $*"; }

rm -rf "$work"
mkdir -p "$work"
if ! "$cpack" -G DEB --config "$config" -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL: cpack could not build the package"
    exit 1
fi
shopt -s nullglob
debs=("$work"/*.deb)
if [ ${#debs[@]} -ne 1 ]; then
    echo "FAIL: expected one .deb in $work, found ${#debs[@]}"
    exit 1
fi
deb=${debs[0]}
echo "package: $deb"

# --- lintian ----------------------------------------------------------------------------------

lint_status=0
lint=$(lintian --fail-on error,warning "$deb" 2>&1) || lint_status=$?
# As root lintian adds a notice about it; that is no finding about the package.
lint=$(grep -v 'running with root privileges is not recommended' <<<"$lint" || true)
echo "--- lintian output ---"
[ -n "$lint" ] && echo "$lint"
echo "--- end of lintian output ($(grep -c . <<<"$lint" || true) lines) ---"
if [ "$lint_status" -eq 0 ] && ! grep -q '^[EW]: ' <<<"$lint"; then
    pass "lintian: no error, no warning"
else
    fail "lintian reported errors or warnings (status $lint_status)"
fi

# --- the files --------------------------------------------------------------------------------

root=$work/root
dpkg-deb -x "$deb" "$root"

# path | what it must be
while IFS='|' read -r path kind; do
    file=$root/$path
    case $kind in
        program)
            if [ -f "$file" ] && [ -x "$file" ]; then pass "$path"; else fail "$path: no program"; fi
            ;;
        plain)
            if [ -s "$file" ]; then pass "$path"; else fail "$path: missing or empty"; fi
            ;;
        gzip)
            if [ ! -s "$file" ]; then
                fail "$path: missing or empty"
            elif ! gzip -t "$file" 2>/dev/null; then
                fail "$path: not a valid gzip file"
            else
                # RFC 1952 header: byte 3 holds the flags (0x08: an original name follows),
                # bytes 4 to 7 the modification time. gzip -n leaves both out.
                read -r flags t0 t1 t2 t3 < <(od -An -tu1 -j3 -N5 "$file")
                if [ $((flags & 8)) -ne 0 ] || [ $((t0 + t1 + t2 + t3)) -ne 0 ]; then
                    fail "$path: the gzip header keeps a name or a time stamp"
                else
                    pass "$path (gzip, no name or time stamp)"
                fi
            fi
            ;;
    esac
done <<TABLE
usr/bin/tarrowen|program
usr/share/applications/$app_id.desktop|plain
usr/share/metainfo/$app_id.metainfo.xml|plain
usr/share/icons/hicolor/scalable/apps/$app_id.svg|plain
usr/share/doc/tarrowen/copyright|plain
usr/share/doc/tarrowen/changelog.gz|gzip
usr/share/man/man1/tarrowen.1.gz|gzip
TABLE

# --- the control fields -----------------------------------------------------------------------

# field | pattern its value must match (an extended regular expression)
while IFS='|' read -r field pattern; do
    value=$(dpkg-deb -f "$deb" "$field" 2>/dev/null || true)
    if grep -Eq "$pattern" <<<"$value"; then
        pass "$field: $value"
    else
        fail "$field is \"$value\", expected /$pattern/"
    fi
done <<TABLE
Package|^tarrowen$
Version|^${version//./\\.}$
Section|^education$
Priority|^optional$
Recommends|(^|, )qt6-wayland($|[ ,])
Depends|(^|, )libqt6widgets6( |,|$)
TABLE

# --- one version everywhere -------------------------------------------------------------------

changelog_version=$(gzip -dc "$root/usr/share/doc/tarrowen/changelog.gz" |
    sed -n '1s/^tarrowen (\([^)]*\)).*/\1/p')
release_version=$(grep -o '<release version="[^"]*"' \
    "$root/usr/share/metainfo/$app_id.metainfo.xml" | head -n 1 | sed 's/.*="\(.*\)"/\1/')
manual_version=$(gzip -dc "$root/usr/share/man/man1/tarrowen.1.gz" |
    sed -n 's/^\.TH .*"Tarrowen \([^"]*\)".*/\1/p')
for pair in "changelog:$changelog_version" "AppStream release:$release_version" \
    "manual page:$manual_version"; do
    where=${pair%%:*} got=${pair#*:}
    if [ "$got" = "$version" ]; then
        pass "$where names version $version"
    else
        fail "$where names version \"$got\", the build is $version"
    fi
done

# --- AppStream, as a software centre reads the installed tree ---------------------------------

echo "--- appstreamcli validate-tree ---"
if appstreamcli validate-tree --pedantic --strict --no-net "$root"; then
    pass "AppStream metadata, desktop entry and icon agree"
else
    fail "appstreamcli validate-tree"
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed; the package and its unpacked tree are in $work"
    exit 1
fi
echo "all package checks passed"
