# The player's own keys, pause and mute in the real window:
#   - with TARNBLAST_KEYS the new keys walk, jump and fire, and an arrow that
#     no longer has an action does nothing; the recording replays to the
#     window's last frame even with a pause in it;
#   - P in play freezes the window (two screenshots a second apart are
#     equal), records nothing and stills the music; P again plays on;
#   - M silences all sound and brings it back.
# Usage: own_keys_and_pause.sh GAME REPLAY (from the build directory)
. "$(dirname "$0")/window_lib.sh"
game=$(realpath "$1")
replay=$(realpath "$2")
wl_setup

demo="$WL_TMP/demo.txt"
wl_start_game "$game" TARNBLAST_KEYS=left=a,right=d,jump=w,fire=ctrl \
    TARNBLAST_RECORD="$demo" TARNBLAST_FINAL_FRAME="$WL_TMP/final.bmp"
wl_tap s 0.2
sleep 0.8
wl_tap Right 0.3     # moved away: must not walk
wl_key_down Control_L
wl_tap d 0.15
wl_tap w 0.15
sleep 0.3
wl_key_down a
sleep 0.3
wl_tap p
wl_key_up a
wl_key_up Control_L
sleep 0.3
lines=$(wc -l <"$demo")
wl_screenshot "$WL_TMP/paused1.png"
sleep 1
wl_screenshot "$WL_TMP/paused2.png"
[ "$(wc -l <"$demo")" = "$lines" ] || wl_fail "passes were recorded while paused"
[ "$(wl_pixel_difference "$WL_TMP/paused1.png" "$WL_TMP/paused2.png")" = 0 ] ||
    wl_fail "the window changed while paused"
wl_tap p
wl_tap d 0.4
wl_screenshot "$WL_TMP/running.png"
[ "$(wl_pixel_difference "$WL_TMP/paused2.png" "$WL_TMP/running.png")" != 0 ] ||
    wl_fail "P again did not let the game run on"
[ "$(wc -l <"$demo")" -gt "$lines" ] || wl_fail "nothing was recorded after the pause"
wl_tap Escape
wl_wait_exit 10
[ "$WL_EXIT_CODE" = 0 ] || wl_fail "Escape ended the game with $WL_EXIT_CODE"

# The game's own keys reached the passes; the moved-away arrow did not.
for keys in 'RIGHT SPACE' 'UP SPACE' 'LEFT SPACE'; do
    grep -qx "$keys" "$demo" || wl_fail "no pass holds exactly: $keys (own keys)"
done
awk '/SPACE/ { exit } /RIGHT/ { found = 1 } END { exit !found }' "$demo" &&
    wl_fail "the arrow Right still walks after right=d"
passes=$(($(wc -l <"$demo") - 1))
"$replay" --frames-out "$WL_TMP/replay" --frame-list "$passes" --trace "$WL_TMP/trace.jsonl" "$demo" ||
    wl_fail "the replay runner refused the recording"
convert "$WL_TMP/final.bmp" "$WL_TMP/final.png"
convert "$WL_TMP/replay/frame-$(printf %06d "$passes").bmp" "$WL_TMP/replayed.png"
diff=$(wl_pixel_difference "$WL_TMP/final.png" "$WL_TMP/replayed.png")
[ "$diff" = 0 ] || wl_fail "the replay's last frame differs from the game's in $diff pixels"
grep -q '"shot_sound"' "$WL_TMP/trace.jsonl" || wl_fail "ctrl did not fire"
grep -q '"player_jumping":2' "$WL_TMP/trace.jsonl" || wl_fail "w did not jump"

# Sound: music alone is audible. M for a second and a half, then P in play
# for as long: each leaves a silent stretch, and the music comes back.
mkdir -p "$WL_TMP/music/data"
cp data/main.bmp data/main2.bmp "$WL_TMP/music/data/"
sox -n -r 22050 -b 16 -c 1 -e signed "$WL_TMP/music/data/gmsong.wav" synth 0.4 sine 440 vol 0.5
for file in sgun.wav blowup.wav; do
    sox -n -r 22050 -b 16 -c 1 -e signed "$WL_TMP/music/data/$file" trim 0 0.4
done
wl_capture_sound "$WL_TMP/capture.raw"
WL_GAME_DIR="$WL_TMP/music" wl_start_game "$game"
sleep 0.5
wl_tap m
sleep 1.5
wl_tap m
sleep 0.5
wl_tap s
sleep 0.5
wl_tap p
sleep 1.5
wl_tap p
sleep 0.8
wl_tap Escape
wl_wait_exit 10
[ "$WL_EXIT_CODE" = 0 ] || wl_fail "Escape ended the game with $WL_EXIT_CODE"
# Stretches of sound (S) and silence (-) in tenths of a second, as letters.
pattern=$(python3 - "$WL_TMP/capture.raw" <<'PY'
import array, sys
samples = array.array("H", open(sys.argv[1], "rb").read())
block = 4410 * 2  # a tenth of a second of 44100 Hz stereo
print("".join("S" if max(abs(s - 32768) for s in samples[i:i + block]) > 300 else "-"
              for i in range(0, len(samples) - block + 1, block)))
PY
)
echo "sound in tenths of a second: $pattern"
echo "$pattern" | grep -qE '^-{0,3}S+-{12,}S+-{12,}S+-*$' ||
    wl_fail "want sound, a silence (mute), sound, a silence (pause), sound"
echo "PASS: own keys walk, jump and fire; pause freezes and replays exactly; M and P silence the music"
