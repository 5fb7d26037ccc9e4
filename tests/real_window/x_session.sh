#!/usr/bin/env bash
# What the tests that play the real game in a real X window share: an Xvfb of their own (no
# window manager), waiting for what the game shows, and window dumps compared with the game's
# pictures. Sourced after setting
#   DATA   the folder whose grafik/ the window dumps are compared with
#   PROBE  tq_window_probe
# Provides WORK (a scratch folder, removed at the end with Xvfb and the game), DISPLAY, and the
# functions below; the caller sets GAME_PID when it starts the game and WINDOW once it is found.
set -euo pipefail

for tool in Xvfb xdotool xwd; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup.sh installs it)"; exit 1; }
done

WORK=$(mktemp -d)
XVFB_PID=""
GAME_PID=""
WINDOW=""
LAST_PERCENT=0
cleanup() {
    if [ -n "$GAME_PID" ]; then kill "$GAME_PID" 2>/dev/null || true; fi
    if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    if [ -s "$WORK/game.log" ]; then sed 's/^/  game: /' "$WORK/game.log"; fi
    if [ -n "$XVFB_PID" ] && ! kill -0 "$XVFB_PID" 2>/dev/null; then echo "  Xvfb has ended"; fi
    if [ -s "$WORK/xvfb.log" ]; then tail -n 5 "$WORK/xvfb.log" | sed 's/^/  Xvfb: /'; fi
    exit 1
}

# within SECONDS COMMAND...: runs COMMAND every 50 ms until it succeeds; fails after SECONDS.
within() {
    local limit=$(( $(date +%s%N) + $1 * 1000000000 ))
    shift
    until "$@"; do
        [ "$(date +%s%N)" -lt "$limit" ] || return 1
        sleep 0.05
    done
}

# shows PICTURE PX PY W H WX WY PERCENT: the window shows that part of the picture there.
shows() {
    xwd -silent -id "$WINDOW" >"$WORK/shot.xwd" 2>/dev/null || return 1
    local percent
    percent=$("$PROBE" "$WORK/shot.xwd" "$DATA/$1" "$2" "$3" "$4" "$5" "$6" "$7") || return 1
    LAST_PERCENT=$percent
    [ "$percent" -ge "$8" ]
}

start_screen() { shows grafik/screens/startscreen.bmp 0 0 800 600 0 0 95; }
# The menu's background where no button, trophy or logo stands.
menu() { shows grafik/menue/menue.bmp 0 250 430 350 0 250 95; }
game_ended() { ! kill -0 "$GAME_PID" 2>/dev/null; }

# window_shown XDOTOOL_SEARCH_ARGS...: the game's window is visible (sets WINDOW).
window_shown() {
    game_ended && fail "the game ended at start-up"
    WINDOW=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n1)
    [ -n "$WINDOW" ]
}

# Xvfb writes its display number, then a line break, once it listens.
display_ready() { [ "$(wc -l <"$WORK/display")" -ge 1 ]; }
x_answers() { xdotool getmouselocation >/dev/null 2>&1; }

# -noreset: every xdotool call connects and leaves; the server must not reset when the last
# client has gone while the game is still connecting.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
within 10 display_ready || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
export DISPLAY=":$(head -n1 "$WORK/display")"
within 10 x_answers || fail "Xvfb on $DISPLAY does not answer"
