# A gamepad end to end through Allegro's own joystick driver: allegro.cfg
# points the driver at a named pipe, a preloaded shim answers the driver's
# questions for it, and the test writes js_event records into it. Start
# begins a game, the d-pad and the left stick walk, the buttons fire and
# jump, and the recording of the session replays to the last frame shown.
# Usage: gamepad.sh GAME REPLAY (from the build directory)
. "$(dirname "$0")/window_lib.sh"
game=$(realpath "$1")
replay=$(realpath "$2")
wl_setup

"${CXX:-c++}" -shared -fPIC -o "$WL_TMP/shim.so" "$(dirname "$0")/joystick_shim.cpp" -ldl ||
    wl_fail "cannot build the joystick shim"
mkfifo "$WL_TMP/pad"
printf '[joystick]\njoystick_device_0 = %s\n' "$WL_TMP/pad" >"$WL_TMP/allegro.cfg"
wl_start_game "$game" LD_PRELOAD="$WL_TMP/shim.so" ALLEGRO="$WL_TMP" \
    TARNBLAST_RECORD="$WL_TMP/pad.txt" TARNBLAST_FINAL_FRAME="$WL_TMP/final.bmp"
# Lines "SECONDS button|axis NUMBER VALUE": Start (button 7), the d-pad right
# (axis 6) with fire (button 0) held, jump (button 1), the left stick left.
python3 -c '
import struct, sys, time
with open(sys.argv[1], "wb", buffering=0) as pad:
    for line in sys.stdin:
        wait, kind, number, value = line.split()
        time.sleep(float(wait))
        pad.write(struct.pack("<IhBB", 0, int(value), 1 if kind == "button" else 2, int(number)))
    time.sleep(0.3)' "$WL_TMP/pad" <<'PAD'
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
wl_tap Escape
wl_wait_exit 10
[ "$WL_EXIT_CODE" = 0 ] || wl_fail "Escape ended the game with $WL_EXIT_CODE"
for keys in S 'RIGHT SPACE' 'UP SPACE' 'LEFT SPACE'; do
    grep -qx "$keys" "$WL_TMP/pad.txt" || wl_fail "no pass holds exactly: $keys"
done
passes=$(($(wc -l <"$WL_TMP/pad.txt") - 1))
"$replay" --frames-out "$WL_TMP/replay" --frame-list "$passes" "$WL_TMP/pad.txt" ||
    wl_fail "the replay runner refused the pad recording"
convert "$WL_TMP/final.bmp" "$WL_TMP/final.png"
convert "$WL_TMP/replay/frame-$(printf %06d "$passes").bmp" "$WL_TMP/replayed.png"
[ "$(wl_pixel_difference "$WL_TMP/final.png" "$WL_TMP/replayed.png")" = 0 ] ||
    wl_fail "the replay of the pad session differs from the window"
echo "PASS: pad events through Allegro's driver start, walk, jump and fire; the recording replays"
