#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs, through apt-get (with sudo when not root), what Debian 12 lacks for one purpose:
#
#   install-deps.sh run     building and running the program: compiler, CMake, Ninja, Qt, fmt
#   install-deps.sh test    that, and what the tests need besides
#   install-deps.sh cross   the core and its tests for the browser and for Windows (the presets
#                           core, web and win32): emscripten and node, mingw-w64 and wine
#   install-deps.sh web     the page (the web preset): emscripten, and node where there is none
#   install-deps.sh web-test  that, Chromium, Firefox ESR, WebKitGTK's WebDriver, Xvfb, Orca,
#                           and the page's test packages from npm (puppeteer-core and axe-core,
#                           as tests/web/package-lock.json pins them)
#   install-deps.sh win32   the Windows program, its zip and its tests under wine (the win32
#                           preset): mingw-w64, wine, Xvfb, ImageMagick and rsvg for the icon
#
# Installs nothing when everything is there already, and never the recommended extras.
set -euo pipefail

# g++ brings the linker and the C++ library; qt6-base-dev brings Qt's X11 plugin and, through
# fontconfig, a font. The number texts use fmt's headers where the C++ library lacks
# floating-point to_chars, and the build copies them for every target.
build_packages=(g++ cmake ninja-build libfmt-dev)
run_packages=("${build_packages[@]}" qt6-base-dev)

test_packages=(
    # the core's tests
    doctest-dev
    # the sanitizer build and the fuzz target
    clang libclang-rt-14-dev
    # the benchmarks
    libbenchmark-dev
    # the end-to-end test: an X server, input events, screenshots
    xvfb xdotool imagemagick
    # the accessibility tests: a session bus with the accessibility bus, an AT-SPI client,
    # and the screen reader Orca speaking through speech-dispatcher (its dummy module, on
    # libao's null driver, which its audio plugins bring)
    dbus at-spi2-core python3-pyatspi orca speech-dispatcher speech-dispatcher-audio-plugins
    # the tests of number texts under a comma locale
    locales
    # the window tests on Wayland
    weston qt6-wayland
    # the package and its metadata: cpack's DEB generator calls dpkg-shlibdeps and file
    dpkg-dev file lintian appstream desktop-file-utils
)

cross_packages=(
    doctest-dev
    # the browser build (node to run its tests: see web_packages below)
    emscripten
    # the Windows build, and wine to run its tests
    g++-mingw-w64-x86-64-posix wine
)

# The page: emscripten builds it, node runs emscripten's tools and the core's tests. A node
# from another archive may bring its own npm, which Debian's npm package conflicts with; so
# Debian's nodejs and npm come in only where there is no node at all.
web_packages=(cmake ninja-build libfmt-dev doctest-dev emscripten)
if ! command -v node >/dev/null; then
    web_packages+=(nodejs npm)
fi
# The page's tests: Chromium, Firefox ESR (driven over WebDriver BiDi) and WebKitGTK's
# MiniBrowser through its WebDriver, which has a window: Xvfb; Orca on the page in Firefox and
# Chromium, as the desktop's screen-reader test (a session bus, the AT-SPI bus and its Python
# client, xdotool for the keys).
web_test_packages=("${web_packages[@]}" chromium firefox-esr webkit2gtk-driver xvfb xdotool
    dbus at-spi2-core python3-pyatspi orca speech-dispatcher speech-dispatcher-audio-plugins)

win32_packages=(
    doctest-dev
    # the cross compiler, whose libstdc++ (posix threads) has std::thread and the floating-point
    # to_chars and from_chars; it brings windres and objdump for Windows
    g++-mingw-w64-x86-64-posix
    # the icon: the SVG drawn at each size, the sizes put in one .ico
    librsvg2-bin imagemagick
    # the tests: wine runs the program and its driver on a private X server; the screenshots
    wine xvfb
)

case ${1:-} in
    run) packages=("${run_packages[@]}") ;;
    test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
    cross) packages=("${build_packages[@]}" "${cross_packages[@]}" "${web_packages[@]}") ;;
    web) packages=("${web_packages[@]}") ;;
    web-test) packages=("${web_test_packages[@]}") ;;
    win32) packages=("${build_packages[@]}" "${win32_packages[@]}") ;;
    *)
        echo "usage: $0 run|test|cross|web|web-test|win32" >&2
        exit 2
        ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# Runs a command as root: directly when root already, else through sudo.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "Installing needs root: run this as root, or install sudo first." >&2
        exit 1
    fi
}

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The comma-locale tests need a German locale.
if [ "$1" = test ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    echo "Generating the de_DE.UTF-8 locale"
    as_root sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen ||
        echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen
fi

# The page's test packages, from npm as the lock file pins them (the browser is Debian's: no
# download of one of puppeteer's own).
web_tests="$(dirname "$0")/../tests/web"
if [ "$1" = web-test ] && ! npm ls --prefix "$web_tests" >/dev/null 2>&1; then
    if ! command -v npm >/dev/null; then
        echo "npm is needed for the page's tests (puppeteer-core, axe-core): install Node.js with its npm" >&2
        exit 1
    fi
    echo "Installing the page's test packages (npm ci in tests/web)"
    (cd "$web_tests" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund)
fi
