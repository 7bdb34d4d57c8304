# TARNBLAST_SCALE (1 to 6 or auto): the window shows the game's 320 x 200 frame enlarged by a
# whole factor with square pixels, exactly the runner's frame scaled up by
# pixel repetition; a scale larger than the desktop falls back to the
# largest that fits, with one line on stderr; a bad value is refused with
# exit code 2 before any window opens.
# Usage: scaled_window.sh GAME REPLAY (from the build directory)
. "$(dirname "$0")/window_lib.sh"
game=$1
replay=$2
wl_setup  # a 1024 x 768 desktop

# The title: any of the first 299 frames is the same picture.
printf '5*\n' >"$WL_TMP/title.txt"
"$replay" --frames-out "$WL_TMP/replay" --frame-list 5 "$WL_TMP/title.txt" 2>/dev/null ||
    wl_fail "replay runner failed"

# Starts the game with the given setting, checks the window against the
# runner's frame at the expected scale, and quits with Escape.
check_scale() {
    local setting=$1 scale=$2
    local width=$((320 * scale)) height=$((200 * scale))
    convert "$WL_TMP/replay/frame-000005.bmp" -scale "$((scale * 100))%" "$WL_TMP/want-$setting.png"
    wl_start_game "$game" TARNBLAST_SCALE="$setting"
    wl_screenshot "$WL_TMP/got-$setting.png"
    local size
    size=$(identify -format '%wx%h' "$WL_TMP/got-$setting.png")
    [ "$size" = "${width}x$height" ] || wl_fail "TARNBLAST_SCALE=$setting: window is $size, not ${width}x$height"
    local diff
    diff=$(wl_pixel_difference "$WL_TMP/got-$setting.png" "$WL_TMP/want-$setting.png")
    [ "$diff" = 0 ] || wl_fail "TARNBLAST_SCALE=$setting: $diff pixels differ from the runner's frame scaled $scale times"
    wl_tap Escape
    wl_wait_exit 10; code=$WL_EXIT_CODE
    [ "$code" = 0 ] || wl_fail "TARNBLAST_SCALE=$setting: Escape ended the game with $code"
}

for scale in 1 2 3; do
    check_scale "$scale" "$scale"
    grep -v '^ALSA lib' "$WL_TMP/game.err" | grep -q . &&
        wl_fail "TARNBLAST_SCALE=$scale: unexpected messages: $(cat "$WL_TMP/game.err")"
done

# auto: the largest scale within three quarters of 1024 x 768 is 2, quietly.
check_scale auto 2
grep -v '^ALSA lib' "$WL_TMP/game.err" | grep -q . &&
    wl_fail "TARNBLAST_SCALE=auto: unexpected messages: $(cat "$WL_TMP/game.err")"

# 6 x 320 x 200 does not fit 1024 x 768; 3 is the largest that does.
check_scale 6 3
[ "$(grep -cv '^ALSA lib' "$WL_TMP/game.err")" = 1 ] ||
    wl_fail "want one line about the fallback, got: $(cat "$WL_TMP/game.err")"
grep -q 'scale 6.*does not fit.*using scale 3' "$WL_TMP/game.err" ||
    wl_fail "the fallback is not explained: $(cat "$WL_TMP/game.err")"

# Bad values: refused with a message naming the value, and no window.
for bad in "" abc 0 7 2x " 2" 99999999999 -1; do
    code=0
    TARNBLAST_SCALE="$bad" "$game" >"$WL_TMP/bad.out" 2>"$WL_TMP/bad.err" || code=$?
    [ "$code" = 2 ] || wl_fail "TARNBLAST_SCALE=\"$bad\" gave exit code $code, not 2"
    [ "$(grep -cv '^ALSA lib' "$WL_TMP/bad.err")" = 1 ] ||
        wl_fail "TARNBLAST_SCALE=\"$bad\": want one line, got: $(cat "$WL_TMP/bad.err")"
    grep -qF "TARNBLAST_SCALE must be a whole number from 1 to 6" "$WL_TMP/bad.err" ||
        wl_fail "TARNBLAST_SCALE=\"$bad\": unclear message: $(cat "$WL_TMP/bad.err")"
    grep -qF "\"$bad\"" "$WL_TMP/bad.err" ||
        wl_fail "TARNBLAST_SCALE=\"$bad\": the message does not quote the value"
done
[ -z "$(xdotool search --name '^Tarnblast$' 2>/dev/null)" ] || wl_fail "a refused setting opened a window"
echo "PASS: scales 1, 2, 3 and auto show the runner's frame enlarged, 6 falls back to 3, bad values exit 2"
