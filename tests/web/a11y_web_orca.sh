#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The page with a real screen reader, Debian's Orca, in a real browser, used from the keyboard
# alone: what Orca says while the motion runs and once it is paused, read from its debug log.
#
#   TARROWEN_PAGE=tarrowen.html a11y_web_orca.sh firefox|chromium OUTDIR
#
# In a private Xvfb and session bus, as the desktop's test (tests/qt/a11y/a11y_session.sh):
# Orca starts, then the browser on the page, with a fresh profile in OUTDIR (Chromium with its
# accessibility on, which it keeps off unless asked). By keys only: Tab from the picture to
# "Run Simulation", Space; Tab to "ang freq", "radius", "theta0" and "t (sec)" while the
# motion runs, staying 7 s on "t (sec)"; Tab to "pause simulation", Space. check_speech.py
# (web) then holds Orca's log to what each step must have made it say, the values heard on
# "t (sec)", each readout heard once when paused, and no flood of events.
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: TARROWEN_PAGE=PAGE $0 firefox|chromium OUTDIR" >&2; exit 2; }
program=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source-path=SCRIPTDIR source=../qt/a11y/a11y_session.sh
. "$here/../qt/a11y/a11y_session.sh"
page=${TARROWEN_PAGE:?the page to open}
[ -f "$page" ] || { echo "FAIL: no page at $page" >&2; exit 1; }
case $program in
    firefox) a11y_require orca firefox-esr; app=Firefox ;;
    chromium) a11y_require orca chromium; app=Chromium ;;
    *) echo "no browser $program" >&2; exit 2 ;;
esac
a11y_enter

profile="$out/profile"
mkdir -p "$profile"
url="file://$(cd "$(dirname "$page")" && pwd)/$(basename "$page")"
start_orca
if [ "$program" = firefox ]; then
    # Nothing of a first start, nothing fetched; its accessibility on for the bus's clients.
    cat >"$profile/user.js" <<'EOF'
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("browser.aboutwelcome.enabled", false);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("app.update.enabled", false);
user_pref("browser.safebrowsing.malware.enabled", false);
user_pref("browser.safebrowsing.phishing.enabled", false);
user_pref("network.captive-portal-service.enabled", false);
user_pref("network.connectivity-service.enabled", false);
user_pref("extensions.update.enabled", false);
user_pref("accessibility.force_disabled", 0);
EOF
    GNOME_ACCESSIBILITY=1 start_window 'Tarrowen' \
        firefox-esr --no-remote --new-instance --profile "$profile" --width 1000 --height 720 "$url"
else
    start_window 'Tarrowen' \
        chromium --force-renderer-accessibility --user-data-dir="$profile" --no-first-run \
        --no-default-browser-check --disable-gpu --no-sandbox --disable-background-networking \
        --disable-component-update --disable-sync --password-store=basic \
        --window-size=1000,720 "$url"
fi
# The page has built its controls; Orca has found the document. The picture is clicked, so
# that the keyboard starts there whatever the browser focused first (its window, its toolbar).
sleep 4
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove --window "$win" $((WIDTH / 4)) $((HEIGHT * 11 / 20)) click 1
sleep 2

run_and_visit_readout
# Five values, each said in a second or two.
sleep 10
read_texts "$out/texts_paused" "$app"
mark end

# Orca first: the browser passes it the keys that wake it to end (end_orca).
end_orca
end_process "$app_pid"
app_pid=""

if ! "$python" "$a11y_dir/check_speech.py" "$out" web; then
    echo "the screen reader test failed; Orca's log in $out/orca.log"
    exit 1
fi
echo "all checks passed; Orca's log in $out/orca.log"
