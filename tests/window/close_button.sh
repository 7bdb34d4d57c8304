# The window's close button ends the game as Escape does: exit code 0, with
# the recording (if any) ending in a pass that holds ESC, so that its replay
# stops there too. The button is "clicked" with a WM_DELETE_WINDOW message,
# as a window manager sends it.
# Usage: close_button.sh GAME REPLAY (from the build directory)
. "$(dirname "$0")/window_lib.sh"
game=$1
wl_setup

"${CXX:-c++}" -o "$WL_TMP/send_close" "$(dirname "$0")/send_close.cpp" -lX11 ||
    wl_fail "cannot build the close-message helper"

for mode in 1 3; do
    wl_start_game "$game" TARNBLAST_START_MODE=$mode TARNBLAST_RECORD="$WL_TMP/demo-$mode.txt"
    "$WL_TMP/send_close" "$WL_WIN" || wl_fail "could not send the close message"
    wl_wait_exit 10; code=$WL_EXIT_CODE
    [ "$code" = 0 ] || wl_fail "start mode $mode: the close button ended the game with $code"
    last=$(tail -n 1 "$WL_TMP/demo-$mode.txt")
    [ "$last" = ESC ] || wl_fail "start mode $mode: the recording ends with '$last', not ESC"
    [ "$(grep -c ESC "$WL_TMP/demo-$mode.txt")" = 1 ] ||
        wl_fail "start mode $mode: ESC is recorded before the last pass"
done

# A window left alone stays open: the game does not end by itself.
wl_start_game "$game"
sleep 1
kill -0 "$WL_GAME_PID" 2>/dev/null || wl_fail "the game ended without being closed"
"$WL_TMP/send_close" "$WL_WIN"
wl_wait_exit 10; code=$WL_EXIT_CODE
[ "$code" = 0 ] || wl_fail "the close button ended the game with $code"
echo "PASS: the close button ends the title and the editor with exit code 0, recorded as ESC"
