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
#  6. Alt+X ends the process with exit code 0 within two seconds;
#  7. the round was recorded in the save folder, and tqdriver replays the recording headless to
#     the same state, checked by the recorded digests of the rules' state (score included).
#
#   real_window_test.sh GAME DATA_DIR PROBE DRIVER
set -euo pipefail
GAME=$(realpath "$1")
DATA=$(realpath "$2")
PROBE=$(realpath "$3")
DRIVER=$(realpath "$4")

source "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"
command -v xlogo >/dev/null || { echo "FAIL: xlogo is missing (scripts/setup.sh installs it)"; exit 1; }

loading_screen() { shows grafik/screens/loadingscreen.bmp 0 0 800 600 0 0 70; }
# The shotgun icon of the round's HUD.
round_hud() { shows grafik/ingame/page_ingame_screen.bmp 0 39 64 32 10 53 95; }
sound_off_written() { grep -q '^sound=0' "$WORK/run/tannenquirl.ini" 2>/dev/null; }

# The game plays in its own folder: the pictures and sounds of the build, its own INI.
mkdir -p "$WORK/run"
ln -s "$DATA/grafik" "$WORK/run/grafik"
ln -s "$DATA/sounds" "$WORK/run/sounds"
(cd "$WORK/run" && exec env SDL_AUDIODRIVER=dummy TANNENQUIRL_WINDOWED=1 "$GAME") \
    >"$WORK/game.log" 2>&1 &
GAME_PID=$!

within 10 window_shown --name '^Tannenquirl Rauze$' || fail "no game window appeared"
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

# A few shots across the view and a reload, as a player starts a round.
for x in 200 400 600; do
    xdotool mousemove --window "$WINDOW" "$x" 300 click 1
    sleep 0.3
done
xdotool click 3

# Another window takes the focus for two seconds (it ends with Xvfb if a check fails).
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

[ -s "$WORK/run/rounds/last.tqround" ] || fail "the round was not kept in rounds/last.tqround"
"$DRIVER" --data "$DATA" --replay "$WORK/run/rounds/last.tqround" --state "$WORK/replayed.json" \
    >"$WORK/replay.log" 2>&1 || fail "the recorded round did not replay: $(cat "$WORK/replay.log")"
echo "ok: the round was recorded and replays headless to the same state ($(grep -o '"score":[0-9]*' "$WORK/replayed.json" | head -n1))"
