# TARNBLAST_SCALE (1 to 6 or auto): the window shows the game's 320 x 200 frame enlarged by a
# whole factor with square pixels, exactly the frame the game drew last scaled
# up by pixel repetition; a scale larger than the desktop falls back to the
# largest that fits, with one line on stderr; a bad value is refused with
# exit code 2 before any window opens. The scene moves on every pass (play
# with the level scrolling and the gun firing), so a row the scaled copy
# failed to send shows an older frame; P then holds the window still on the
# last frame, with PAUSED over it, and Escape saves that frame.
# Usage: scaled_window.sh GAME REPLAY (from the build directory)
. "$(dirname "$0")/window_lib.sh"
game=$1
wl_setup  # a 1024 x 768 desktop

# Where "PAUSED" is drawn over the paused frame: six 8 x 8 glyphs, centred.
paused_box() { echo "rectangle $((136 * $1)),$((96 * $1)) $((184 * $1 - 1)),$((104 * $1 - 1))"; }

# check_scale SETTING SCALE MESSAGES: starts the game with the setting, plays
# a moving scene for 70 recorded passes, pauses and checks the window against
# the last frame at the scale (PAUSED aside), quits with Escape, and counts
# the lines on stderr.
check_scale() {
    local setting=$1 scale=$2 size diff rec="$WL_TMP/keys.txt"
    wl_start_game "$game" TARNBLAST_SCALE="$setting" TARNBLAST_FINAL_FRAME="$WL_TMP/final.bmp" \
        TARNBLAST_RECORD="$rec"
    wl_hold s wl_recorded S "$rec"
    wl_key_down Left
    wl_key_down space
    wl_await wl_running "$rec" $(($(wc -l <"$rec") + 70))
    wl_hold p wl_paused "$scale"
    wl_key_up space
    wl_key_up Left
    wl_screenshot "$WL_TMP/got.png"
    wl_hold Escape wl_gone "$WL_GAME_PID"
    wl_expect_exit 0 10 "TARNBLAST_SCALE=$setting: Escape"
    size=$(identify -format '%wx%h' "$WL_TMP/got.png")
    [ "$size" = "$((320 * scale))x$((200 * scale))" ] || wl_fail "TARNBLAST_SCALE=$setting: window is $size"
    convert "$WL_TMP/final.bmp" -scale "$((scale * 100))%" -fill black -draw "$(paused_box "$scale")" \
        "$WL_TMP/want.png"
    convert "$WL_TMP/got.png" -fill black -draw "$(paused_box "$scale")" "$WL_TMP/got.png"
    diff=$(wl_pixel_difference "$WL_TMP/got.png" "$WL_TMP/want.png")
    [ "$diff" = 0 ] || wl_fail "TARNBLAST_SCALE=$setting: $diff pixels differ from the last frame"
    [ "$(grep -cv '^ALSA lib' "$WL_TMP/game.err")" = "$3" ] ||
        wl_fail "TARNBLAST_SCALE=$setting: want $3 lines on stderr, got: $(cat "$WL_TMP/game.err")"
}

# auto: the largest scale within three quarters of 1024 x 768 is 2, quietly.
# 6 x 320 x 200 does not fit 1024 x 768; 3 is the largest that does, told in one line.
for case in "1 1 0" "2 2 0" "3 3 0" "auto 2 0" "6 3 1"; do
    check_scale $case
done

# A bad value (the unit tests try the others): exit code 2 and no window.
code=0
TARNBLAST_SCALE=7 "$game" >/dev/null 2>&1 || code=$?
[ "$code" = 2 ] || wl_fail "TARNBLAST_SCALE=7 gave exit code $code, not 2"
[ -z "$(xdotool search --name '^Tarnblast$' 2>/dev/null)" ] || wl_fail "a refused setting opened a window"
echo "PASS: scales 1, 2, 3 and auto show the moving game's last frame enlarged, 6 falls back to 3, a bad value exits 2"
