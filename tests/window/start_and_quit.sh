# The real program in a real window: its first frames are the title with the
# score line, exactly as the replay runner draws them; S starts play on level
# 2 and a held arrow scrolls it; Escape ends the program with exit code 0.
# Usage: start_and_quit.sh GAME REPLAY (from the build directory)
. "$(dirname "$0")/window_lib.sh"
game=$1
replay=$2
wl_setup

# What the runner shows on the title (any of its first 299 frames is the same).
printf '5*\n' >"$WL_TMP/title.txt"
"$replay" --frames-out "$WL_TMP/replay" --frame-list 5 "$WL_TMP/title.txt" 2>/dev/null ||
    wl_fail "replay runner failed"
convert "$WL_TMP/replay/frame-000005.bmp" "$WL_TMP/replay-title.png"

wl_start_game "$game"
wl_screenshot "$WL_TMP/title.png"
[ "$(identify -format '%wx%h' "$WL_TMP/title.png")" = 320x200 ] || wl_fail "window is not 320 x 200"
diff=$(wl_pixel_difference "$WL_TMP/title.png" "$WL_TMP/replay-title.png")
[ "$diff" = 0 ] || wl_fail "title frame differs from the runner's in $diff pixels"

# The score line: white text in the top 8 rows.
white=$(convert "$WL_TMP/title.png" -crop 136x8+0+0 -format '%[fx:mean]' info:)
awk "BEGIN { exit !($white > 0.05) }" || wl_fail "no score line on the title"

# S starts play: the level is drawn, and a held Right arrow scrolls it.
wl_tap s 0.2
sleep 0.3
wl_screenshot "$WL_TMP/play1.png"
[ "$(wl_pixel_difference "$WL_TMP/play1.png" "$WL_TMP/title.png")" != 0 ] || wl_fail "S did not start play"
wl_tap Right 0.5
sleep 0.2
wl_screenshot "$WL_TMP/play2.png"
[ "$(wl_pixel_difference "$WL_TMP/play1.png" "$WL_TMP/play2.png")" != 0 ] || wl_fail "Right did not scroll the level"

wl_tap Escape
wl_wait_exit 10
code=$WL_EXIT_CODE
[ "$code" = 0 ] || wl_fail "Escape ended the game with $code"
echo "PASS: title matches the runner, S starts play, Right scrolls, Escape exits 0"
