# A key pressed and let go between two passes still reaches a pass: taps sent
# as xdotool sends them (press and release back to back) start a game, fire,
# pause and play on; a tap while the game stands still (stopped, as a pass
# that stalls) is seen when it runs on, and a tapped Escape ends it.
# Usage: key_taps.sh GAME REPLAY (from the build directory)
. "$(dirname "$0")/window_lib.sh"
game=$1
wl_setup

rec="$WL_TMP/taps.txt"
wl_start_game "$game" TARNBLAST_RECORD="$rec"
tap() { xdotool key --window "$WL_WIN" "$1" 2>/dev/null; }
# True once at least N recorded passes hold the key NAME.
reached() { [ "$(grep -cw "$1" "$rec")" -ge "$2" ]; }

tap s
wl_await reached S 1
for i in $(seq 10); do
    tap space
    wl_await reached SPACE "$i"
done
tap p
wl_await wl_paused "$rec"
tap p
wl_await wl_running "$rec"
kill -STOP "$WL_GAME_PID"
tap space
kill -CONT "$WL_GAME_PID"
wl_await reached SPACE 11
kill -STOP "$WL_GAME_PID"
tap Escape
kill -CONT "$WL_GAME_PID"
wl_expect_exit 0 10 "a tapped Escape"
echo "PASS: taps start, fire, pause and play on; a tap during a stalled pass fires, and a tapped Escape ends the game"
