#!/usr/bin/env bash
# The real game in a real X window (Xvfb, no window manager, SDL's dummy sound output), played as
# a person plays it with xdotool: instant clicks and key presses, nothing held. It checks what the
# game shows (window dumps compared with the game's own pictures) and what it writes (the INI):
#  1. the start screen passes to the menu;
#  2. a click on the sound button writes "sound=0" to the INI;
#  3. a click on "Spiel starten" starts a round: the loading screen, then the round's HUD;
#  4. the focus goes to another window and comes back: the round goes on at once, no picture
#     is loaded again behind the loading screen;
#  5. Escape goes back to the menu;
#  6. Alt+X ends the process with exit code 0 within two seconds.
#
#   real_window_test.sh GAME DATA_DIR PROBE
set -euo pipefail
GAME=$(realpath "$1")
DATA=$(realpath "$2")
PROBE=$(realpath "$3")

for tool in Xvfb xdotool xwd xlogo; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup.sh installs it)"; exit 1; }
done

WORK=$(mktemp -d)
XVFB_PID=""
GAME_PID=""
OTHER_PID=""
cleanup() {
    if [ -n "$GAME_PID" ]; then kill "$GAME_PID" 2>/dev/null || true; fi
    if [ -n "$OTHER_PID" ]; then kill "$OTHER_PID" 2>/dev/null || true; fi
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
LAST_PERCENT=0

start_screen() { shows grafik/screens/startscreen.bmp 0 0 800 600 0 0 95; }
# The menu's background where no button, trophy or logo stands.
menu() { shows grafik/menue/menue.bmp 0 250 430 350 0 250 95; }
loading_screen() { shows grafik/screens/loadingscreen.bmp 0 0 800 600 0 0 70; }
# The shotgun icon of the round's HUD.
round_hud() { shows grafik/ingame/page_ingame_screen.bmp 0 39 64 32 10 53 95; }
sound_off_written() { grep -q '^sound=0' "$WORK/run/tannenquirl.ini" 2>/dev/null; }
# Xvfb writes its display number, then a line break, once it listens.
display_ready() { [ "$(wc -l <"$WORK/display")" -ge 1 ]; }
x_answers() { xdotool getmouselocation >/dev/null 2>&1; }
game_ended() { ! kill -0 "$GAME_PID" 2>/dev/null; }

# -noreset: every xdotool call connects and leaves; the server must not reset when the last
# client has gone while the game is still connecting.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
within 10 display_ready || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
export DISPLAY=":$(head -n1 "$WORK/display")"
within 10 x_answers || fail "Xvfb on $DISPLAY does not answer"

# The game plays in its own folder: the pictures and sounds of the build, its own INI.
mkdir -p "$WORK/run"
ln -s "$DATA/grafik" "$WORK/run/grafik"
ln -s "$DATA/sounds" "$WORK/run/sounds"
(cd "$WORK/run" && exec env SDL_AUDIODRIVER=dummy TANNENQUIRL_WINDOWED=1 "$GAME") \
    >"$WORK/game.log" 2>&1 &
GAME_PID=$!

window_shown() {
    game_ended && fail "the game ended at start-up"
    WINDOW=$(xdotool search --onlyvisible --name '^Tannenquirl Rauze$' 2>/dev/null | head -n1)
    [ -n "$WINDOW" ]
}
within 10 window_shown || fail "no game window appeared"
# Without a window manager nothing gives the window the focus; the game only pauses for a focus
# it once had.
xdotool windowfocus "$WINDOW"
xdotool mousemove --window "$WINDOW" 600 300

within 5 start_screen || fail "the start screen is not shown (${LAST_PERCENT}% alike)"
within 10 menu || fail "the start screen did not pass to the menu (${LAST_PERCENT}% alike)"
echo "ok: the start screen passes to the menu"

xdotool mousemove --window "$WINDOW" 600 420 click 1
within 3 sound_off_written || fail "a click on the sound button did not write sound=0"
echo "ok: a click on the sound button writes sound=0"

xdotool mousemove --window "$WINDOW" 600 220 click 1
within 3 loading_screen || fail "a click on 'Spiel starten' showed no loading screen (${LAST_PERCENT}% alike)"
within 10 round_hud || fail "no round began after loading (${LAST_PERCENT}% alike)"
echo "ok: a click on 'Spiel starten' starts a round"

xlogo -geometry 100x100+850+0 >/dev/null 2>&1 &
OTHER_PID=$!
other_shown() {
    OTHER=$(xdotool search --onlyvisible --name '^xlogo$' 2>/dev/null | head -n1)
    [ -n "$OTHER" ]
}
within 5 other_shown || fail "no second window appeared"
xdotool windowfocus "$OTHER"
sleep 2
xdotool windowfocus "$WINDOW"
returned=$(date +%s%N)
while [ $(( $(date +%s%N) - returned )) -lt 2000000000 ]; do
    if loading_screen; then fail "the loading screen came back with the focus"; fi
done
round_hud || fail "the round did not go on with the focus back (${LAST_PERCENT}% alike)"
kill "$OTHER_PID" 2>/dev/null || true
OTHER_PID=""
echo "ok: the round goes on at once when the focus comes back"

xdotool key Escape
within 3 menu || fail "Escape did not go back to the menu (${LAST_PERCENT}% alike)"
echo "ok: Escape goes back to the menu"

xdotool key alt+x
within 2 game_ended || fail "Alt+X did not end the game within two seconds"
code=0
wait "$GAME_PID" || code=$?
GAME_PID=""
[ "$code" -eq 0 ] || fail "the game ended with exit code $code after Alt+X"
echo "ok: Alt+X ends the game with exit code 0"
