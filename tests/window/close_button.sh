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
    wl_expect_exit 0 10 "start mode $mode: the close button"
    [ "$(grep -n ESC "$WL_TMP/demo-$mode.txt")" = "$(wc -l <"$WL_TMP/demo-$mode.txt"):ESC" ] ||
        wl_fail "start mode $mode: ESC is not the last pass alone: $(tail -n 2 "$WL_TMP/demo-$mode.txt")"
done
echo "PASS: the close button ends the title and the editor with exit code 0, recorded as ESC"
