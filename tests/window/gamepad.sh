# A gamepad, end to end through Allegro's own joystick driver: the driver is
# pointed at a named pipe (allegro.cfg's joystick_device_0), a preloaded shim
# answers its questions for the pipe, and the test writes real js_event
# records into it. The pad's Start begins a game, its d-pad and left stick
# walk, its buttons fire and jump; in the editor its buttons reach Enter and
# Space, and TARNBLAST_PAD moves fire to another button. The recording of
# the pad session replays to the window's last frame.
# Usage: gamepad.sh GAME REPLAY (from the build directory)
. "$(dirname "$0")/window_lib.sh"
game=$(realpath "$1")
replay=$(realpath "$2")
wl_setup

"${CXX:-c++}" -shared -fPIC -o "$WL_TMP/joystick_shim.so" "$(dirname "$0")/joystick_shim.cpp" -ldl ||
    wl_fail "cannot build the joystick shim"
pad="$WL_TMP/pad"
mkfifo "$pad"
mkdir -p "$WL_TMP/config"
printf '[joystick]\njoystick_device_0 = %s\n' "$pad" >"$WL_TMP/config/allegro.cfg"

# Writes js_event records to the pipe from lines "SECONDS button|axis NUMBER
# VALUE" (each after waiting SECONDS).
feed_pad() {
    python3 -c '
import struct, sys, time
with open(sys.argv[1], "wb", buffering=0) as pad:
    for line in sys.stdin:
        wait, kind, number, value = line.split()
        time.sleep(float(wait))
        pad.write(struct.pack("<IhBB", 0, int(value), 1 if kind == "button" else 2, int(number)))
    time.sleep(0.3)
' "$pad"
}

# Plays a session from the pad's lines on stdin, then Escape; leaves the
# recording in $WL_TMP/NAME.txt and the last frame in $WL_TMP/NAME.bmp.
play_with_pad() {
    local name=$1
    shift
    wl_start_game "$game" LD_PRELOAD="$WL_TMP/joystick_shim.so" ALLEGRO="$WL_TMP/config" \
        TARNBLAST_RECORD="$WL_TMP/$name.txt" TARNBLAST_FINAL_FRAME="$WL_TMP/$name.bmp" "$@"
    feed_pad
    wl_tap Escape
    wl_wait_exit 10
    [ "$WL_EXIT_CODE" = 0 ] || wl_fail "$name: Escape ended the game with $WL_EXIT_CODE"
}

# Start (button 7), the d-pad right (axis 6), fire held (button 0), jump
# (button 1), the left stick left (axis 0).
play_with_pad play <<'PAD'
0 button 7 1
0.2 button 7 0
0.8 axis 6 32767
0 button 0 1
0.15 axis 6 0
0 button 1 1
0.15 button 1 0
0.2 axis 0 -32767
0.3 axis 0 0
0 button 0 0
PAD
for keys in S 'RIGHT SPACE' 'UP SPACE' 'LEFT SPACE'; do
    grep -qx "$keys" "$WL_TMP/play.txt" || wl_fail "no pass holds exactly: $keys (pad in play)"
done
passes=$(($(wc -l <"$WL_TMP/play.txt") - 1))
"$replay" --frames-out "$WL_TMP/replay" --frame-list "$passes" "$WL_TMP/play.txt" ||
    wl_fail "the replay runner refused the pad recording"
convert "$WL_TMP/play.bmp" "$WL_TMP/final.png"
convert "$WL_TMP/replay/frame-$(printf %06d "$passes").bmp" "$WL_TMP/replayed.png"
diff=$(wl_pixel_difference "$WL_TMP/final.png" "$WL_TMP/replayed.png")
[ "$diff" = 0 ] || wl_fail "the replay of the pad session differs from the window in $diff pixels"

# The editor: jump places (Enter); fire, moved to button 2, is Space.
play_with_pad editor TARNBLAST_START_MODE=3 TARNBLAST_PAD=fire=2 <<'PAD'
0.3 button 1 1
0.15 button 1 0
0.2 button 2 1
0.15 button 2 0
0.2 button 0 1
0.15 button 0 0
PAD
grep -qx ENTER "$WL_TMP/editor.txt" || wl_fail "the jump button does not place in the editor"
grep -qx SPACE "$WL_TMP/editor.txt" || wl_fail "button 2 is not fire with TARNBLAST_PAD=fire=2"
[ "$(grep -cvE '^(#.*|ENTER|SPACE|ESC|)$' "$WL_TMP/editor.txt")" = 0 ] ||
    wl_fail "unexpected keys in the editor: $(sort -u "$WL_TMP/editor.txt")"
echo "PASS: pad events through Allegro's driver start, walk, jump, fire, place; recording replays"
