# A key pressed and let go between two passes reaches a pass: quick taps (as
# xdotool sends them) start and fire, and so do taps while the game stands
# still (stopped, as a pass that stalls): a space, and Escape ends the game.
# Usage: key_taps.sh GAME REPLAY (from the build directory)
. "$(dirname "$0")/window_lib.sh"
wl_setup

rec="$WL_TMP/taps.txt"
wl_start_game "$1" TARNBLAST_RECORD="$rec"
tap() { xdotool key --window "$WL_WIN" "$1" 2>/dev/null; }
reached() { [ "$(grep -cw "$1" "$rec")" -ge "$2" ]; }  # NAME N: in N recorded passes

tap s
wl_await reached S 1
for i in $(seq 10); do
    tap space
    wl_await reached SPACE "$i"
done
kill -STOP "$WL_GAME_PID" && tap space && tap Escape && kill -CONT "$WL_GAME_PID"
wl_expect_exit 0 10 "a tapped Escape"
reached SPACE 11 || wl_fail "a tap during a stalled pass was lost"
echo "PASS: taps start and fire; a tap during a stalled pass fires, and a tapped Escape ends the game"
