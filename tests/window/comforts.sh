# Pad, own keys, pause and mute in the real window. Pad events go through
# Allegro's joystick driver, pointed at a named pipe that a preloaded shim
# passes off as a joystick. P freezes the window and records nothing, and
# the recording replays to the last frame shown; M silences the music and
# the gun, P the music.
# Usage: comforts.sh GAME REPLAY (from the build directory)
. "$(dirname "$0")/window_lib.sh"
game=$(realpath "$1")
replay=$(realpath "$2")
wl_setup

"${CXX:-c++}" -shared -fPIC -o "$WL_TMP/shim.so" "$(dirname "$0")/joystick_shim.cpp" -ldl ||
    wl_fail "cannot build the joystick shim"
mkfifo "$WL_TMP/pad"
printf '[joystick]\njoystick_device_0 = %s\n' "$WL_TMP/pad" >"$WL_TMP/allegro.cfg"
demo="$WL_TMP/demo.txt"
wl_start_game "$game" LD_PRELOAD="$WL_TMP/shim.so" ALLEGRO="$WL_TMP" \
    TARNBLAST_KEYS=left=a,right=d,jump=w,fire=ctrl \
    TARNBLAST_RECORD="$demo" TARNBLAST_FINAL_FRAME="$WL_TMP/final.bmp"
# The pad, lines "button|axis NUMBER VALUE [KEYS]": Start (button 7); the
# d-pad (axes 6, 7) left and down with fire (button 0); the left stick (axis
# 0) left with jump (button 1). With KEYS, the next line waits until a pass
# holding exactly those keys ("-": none) has been recorded.
python3 -c '
import struct, sys, time
def recorded(keys):
    with open(sys.argv[2]) as file:
        return file.read().splitlines()[-1:] == [keys]
with open(sys.argv[1], "wb", buffering=0) as pad:
    for line in sys.stdin:
        kind, number, value, *keys = line.split()
        pad.write(struct.pack("<IhBB", 0, int(value), 1 if kind == "button" else 2, int(number)))
        for tries in range(500 if keys else 0):
            if recorded(keys[0].replace(",", " ").strip("-")):
                break
            time.sleep(0.02)
        else:
            if keys:
                sys.exit("waited in vain for a pass holding " + keys[0])' "$WL_TMP/pad" "$demo" <<'PAD' ||
button 7 1 S
button 7 0
axis 6 -32767
axis 7 32767
button 0 1 LEFT,DOWN,SPACE
button 0 0
axis 6 0
axis 7 0 -
axis 0 -32767
button 1 1 LEFT,UP
axis 0 0
button 1 0 -
PAD
    wl_fail "the pad's keys were not recorded"
# Own keys: the arrow Right, held with fire, is no longer RIGHT; d is.
wl_key_down Right
wl_key_down Control_L
wl_await wl_recorded SPACE "$demo"
wl_key_up Right
wl_hold d wl_recorded 'RIGHT SPACE' "$demo"
wl_hold w wl_recorded 'UP SPACE' "$demo"
wl_key_down a
wl_await wl_recorded 'LEFT SPACE' "$demo"
wl_hold p wl_paused  # with Left and fire held across the pause
wl_key_up a
wl_key_up Control_L
lines=$(wc -l <"$demo")
wl_screenshot "$WL_TMP/paused1.png"
sleep 1  # a second of pause, in which nothing may be recorded or drawn
wl_screenshot "$WL_TMP/paused2.png"
[ "$(wc -l <"$demo")" = "$lines" ] || wl_fail "passes were recorded while paused"
[ "$(wl_pixel_difference "$WL_TMP/paused1.png" "$WL_TMP/paused2.png")" = 0 ] ||
    wl_fail "the window changed while paused"
wl_hold p wl_running "$demo" "$lines"
wl_hold Escape wl_recorded ESC "$demo"
wl_expect_exit 0 10 Escape

passes=$(($(wc -l <"$demo") - 1))
"$replay" --frames-out "$WL_TMP/replay" --frame-list "$passes" "$demo" || wl_fail "replay failed"
cmp -s "$WL_TMP/final.bmp" "$WL_TMP/replay/frame-$(printf %06d "$passes").bmp" || # one BMP writer
    wl_fail "the replay's last frame differs from the game's"

# Sound, with a test music and a loud gun (the blast silent): sound on the
# title and in play; M with the gun firing: silence; M again: sound; P:
# silence; P again: sound. M is pressed before Down, so a pass recorded
# holding Down has seen it. Each stretch lasts as many passes as the
# recording counts; only the pause, which records none, lasts by the clock.
mkdir -p "$WL_TMP/music/data"
cp data/main.bmp data/main2.bmp "$WL_TMP/music/data/"
for file in gmsong.wav sgun.wav; do
    sox -n -r 22050 -b 16 -c 1 -e signed "$WL_TMP/music/data/$file" synth 0.4 sine 440 vol 0.5
done
sox -n -r 22050 -b 16 -c 1 -e signed "$WL_TMP/music/data/blowup.wav" trim 0 0.4
wl_capture_sound "$WL_TMP/capture.raw"
rec="$WL_TMP/music/keys.txt"
WL_GAME_DIR="$WL_TMP/music" wl_start_game "$game" TARNBLAST_RECORD="$rec"
passes() { wl_await wl_running "$rec" $(($(wc -l <"$rec") + $1)); }
mute() { wl_key_down m; wl_hold Down wl_recorded 'DOWN SPACE' "$rec"; wl_key_up m; }
passes 35
wl_hold s wl_recorded S "$rec"
wl_key_down space
mute
passes 105
mute
passes 35
wl_key_up space
wl_hold p wl_paused
# 1.5 s of the pause captured: 15 tenths of 8820 two-byte samples.
captured() { [ "$(stat -c %s "$WL_TMP/capture.raw")" -ge "$1" ]; }
wl_await captured $(($(stat -c %s "$WL_TMP/capture.raw") + 15 * 17640))
wl_hold p wl_running "$rec" "$(wc -l <"$rec")"
passes 56
wl_hold Escape wl_recorded ESC "$rec"
wl_wait_exit 10
# Tenths of a second of the capture: S sound, - silence.
pattern=$(python3 -c '
import array, sys
s = array.array("H", open(sys.argv[1], "rb").read())
print("".join("S" if max(abs(v - 32768) for v in s[i:i + 8820]) > 300 else "-"
              for i in range(0, len(s) - 8819, 8820)))' "$WL_TMP/capture.raw")
echo "$pattern" | grep -qE '^-{0,3}S+-{12,}S+-{12,}S+-*$' ||
    wl_fail "want sound, silence (M, the gun firing), sound, silence (P), sound: $pattern"
echo "PASS: the pad starts, walks, jumps and fires; own keys walk, jump and fire; pause freezes and replays exactly; M silences the music and the gun, P the music"
