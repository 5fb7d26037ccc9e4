#!/usr/bin/env bash
# The Debian package as a player gets it. CPack builds it into a scratch folder; lintian,
# appstreamcli and desktop-file-validate check it; dpkg-deb unpacks it; the unpacked game is
# started the way its desktop entry starts it and played in a real X window (Xvfb, SDL's dummy
# sound output):
#  1. the package builds, its dependencies are found, and the three checkers find nothing;
#  2. the desktop entry, its icon, the window's class and the AppStream component share one id;
#  3. `--version` tells the package's version;
#  4. the start screen appears;
#  5. a click on the sound button writes the INI under $XDG_DATA_HOME/tannenquirl, and nothing
#     appears inside the unpacked tree;
#  6. Alt+X ends the game with exit code 0.
#
#   package_test.sh BUILD_DIR PROBE
set -euo pipefail
BUILD=$(realpath "$1")
PROBE=$(realpath "$2")
for tool in cpack lintian appstreamcli desktop-file-validate dpkg-deb; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup.sh installs it)"; exit 1; }
done
source "$(dirname "${BASH_SOURCE[0]}")/../real_window/x_session.sh"

# ---- build and check ----
cpack --config "$BUILD/CPackConfig.cmake" -B "$WORK/package" >"$WORK/cpack.log" 2>&1 ||
    { cat "$WORK/cpack.log"; fail "cpack could not build the package"; }
debs=("$WORK"/package/tannenquirl_*_amd64.deb)
[ -f "${debs[0]}" ] || fail "no package was made: $(ls "$WORK/package")"
DEB=${debs[0]}
VERSION=$(dpkg-deb -f "$DEB" Version)
echo "ok: $(basename "$DEB") built"

dpkg-deb -f "$DEB" Depends | grep -q 'libsdl2-2\.0-0' ||
    fail "the dependencies were not read from the binary: $(dpkg-deb -f "$DEB" Depends)"

# (lintian tells on stderr that it runs as root, as CI does.)
report=$(lintian --pedantic --fail-on error,warning,info,pedantic "$DEB" 2>"$WORK/lintian.log") ||
    fail "lintian: $report $(cat "$WORK/lintian.log")"
[ -z "$report" ] || fail "lintian: $report"
echo "ok: lintian --pedantic has nothing to say"

ROOT_DIR="$WORK/root"
dpkg-deb -x "$DEB" "$ROOT_DIR"
touch "$WORK/unpacked"

metainfo=("$ROOT_DIR"/usr/share/metainfo/*.metainfo.xml)
[ -f "${metainfo[0]}" ] || fail "the package has no AppStream metadata"
report=$(appstreamcli validate --no-net "${metainfo[0]}" 2>&1) || fail "appstreamcli: $report"
APP_ID=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "${metainfo[0]}")
DESKTOP="$ROOT_DIR/usr/share/applications/$APP_ID.desktop"
[ -f "$DESKTOP" ] || fail "no desktop entry named after the component $APP_ID"
# desktop-file-validate ends with 0 after some errors too: anything it says is a finding.
report=$(desktop-file-validate "$DESKTOP" 2>&1) || true
[ -z "$report" ] || fail "desktop-file-validate: $report"
echo "ok: appstreamcli and desktop-file-validate accept the metadata and the desktop entry"

entry() { sed -n "s/^$1=//p" "$DESKTOP"; }
[ "$(entry Icon)" = "$APP_ID" ] || fail "the desktop entry's icon is $(entry Icon), not $APP_ID"
[ "$(entry StartupWMClass)" = "$APP_ID" ] || fail "the desktop entry expects another window class"
for size in 16 32 48 64 128 256; do
    [ -f "$ROOT_DIR/usr/share/icons/hicolor/${size}x$size/apps/$APP_ID.png" ] ||
        fail "no ${size}x$size icon named $APP_ID"
done
EXEC=$(entry Exec)
[[ "$EXEC" == /usr/games/tannenquirl ]] || fail "the desktop entry starts '$EXEC'"
GAME="$ROOT_DIR$EXEC"
[ "$("$GAME" --version)" = "Tannenquirl Rauze ${VERSION%-*}" ] ||
    fail "--version says '$("$GAME" --version)', the package is $VERSION"
echo "ok: one id, $APP_ID, for the component, desktop entry, icons; the entry starts $EXEC $VERSION"

# ---- play the unpacked game ----
# Started from the home folder as a desktop starts it: the game finds its pictures beside its
# binary and keeps the player's files in the player's data folder.
DATA="$ROOT_DIR/usr/share/games/tannenquirl"
mkdir -p "$WORK/home"
(cd "$WORK/home" && exec env HOME="$WORK/home" XDG_DATA_HOME="$WORK/home/data" \
    SDL_AUDIODRIVER=dummy TANNENQUIRL_WINDOWED=1 "$GAME") >"$WORK/game.log" 2>&1 &
GAME_PID=$!
within 10 window_shown --class "^${APP_ID//./\\.}\$" || fail "no window of class $APP_ID appeared"
xdotool mousemove --window "$WINDOW" 600 300
within 5 start_screen || fail "the start screen is not shown (${LAST_PERCENT}% alike)"
echo "ok: the start screen appears"

within 10 menu || fail "the start screen did not pass to the menu (${LAST_PERCENT}% alike)"
sound_off_written() { grep -q '^sound=0' "$WORK/home/data/tannenquirl/tannenquirl.ini" 2>/dev/null; }
xdotool mousemove --window "$WINDOW" 600 420 click 1
within 3 sound_off_written || fail "a click on the sound button wrote no sound=0 to the player's INI"
changed=$(find "$ROOT_DIR" -newer "$WORK/unpacked")
[ -z "$changed" ] || fail "the game wrote into its installation: $changed"
echo "ok: the sound button writes \$XDG_DATA_HOME/tannenquirl/tannenquirl.ini, nothing else"

xdotool key alt+x
within 2 game_ended || fail "Alt+X did not end the game within two seconds"
code=0
wait "$GAME_PID" || code=$?
GAME_PID=""
[ "$code" -eq 0 ] || fail "the game ended with exit code $code after Alt+X"
echo "ok: Alt+X ends the game with exit code 0"
