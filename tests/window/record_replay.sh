# Demo recording: a game played in the window with TARNBLAST_RECORD set
# leaves a key script, one line per pass, that the replay runner plays back
# to the very frame the window showed last (saved by the game through
# TARNBLAST_FINAL_FRAME); the file is a complete script while the game still
# runs.
# Usage: record_replay.sh GAME REPLAY (from the build directory)
. "$(dirname "$0")/window_lib.sh"
game=$1
replay=$2
wl_setup

demo="$WL_TMP/demo.txt"
wl_start_game "$game" TARNBLAST_RECORD="$demo" TARNBLAST_FINAL_FRAME="$WL_TMP/final.bmp"
# S starts level 2. About 18 passes of Right from its start walk the hero
# into a pit, so Right is held for about 10; Left is safe.
wl_tap s 0.2
sleep 0.2
wl_key_down space
wl_tap Right 0.15
sleep 0.6
# The recording so far is already a complete script.
"$replay" "$demo" 2>"$WL_TMP/partial.err" ||
    wl_fail "the recording is not a script while the game runs: $(cat "$WL_TMP/partial.err")"
wl_tap Up 0.15
sleep 0.2
wl_key_down Left
sleep 0.3
wl_key_up space
sleep 0.2
wl_key_up Left
sleep 0.2
wl_tap Escape
wl_wait_exit 10; code=$WL_EXIT_CODE
[ "$code" = 0 ] || wl_fail "Escape ended the game with $code"
[ -f "$WL_TMP/final.bmp" ] || wl_fail "no final frame: $(cat "$WL_TMP/game.err")"

# The file: the header, then one line of key names per pass, the last with ESC.
head -n 1 "$demo" | grep -qx '# tarnblast recording, start mode 1: replay with tarnblast-replay --start-mode 1' ||
    wl_fail "unexpected first line: $(head -n 1 "$demo")"
passes=$(tail -n +2 "$demo" | wc -l)
bad=$(tail -n +2 "$demo" | grep -cvE '^((LEFT|RIGHT|UP|DOWN|SPACE|S|ENTER|F1|F2|F3|F4|RSHIFT|ESC)( |$))*$')
[ "$bad" = 0 ] || wl_fail "$bad lines are not plain key lists"
tail -n 1 "$demo" | grep -qw ESC || wl_fail "the last pass does not hold ESC: $(tail -n 1 "$demo")"
[ "$(grep -cw ESC "$demo")" = 1 ] || wl_fail "ESC is recorded before the last pass"
# The replay ends on the same pass, showing the same frame.
"$replay" --frames-out "$WL_TMP/replay" --frame-list "$passes" "$demo" ||
    wl_fail "the replay runner refused the recording"
[ -f "$WL_TMP/replay/frame-$(printf %06d "$passes").bmp" ] || wl_fail "the replay did not reach pass $passes"
convert "$WL_TMP/final.bmp" "$WL_TMP/final.png"
convert "$WL_TMP/replay/frame-$(printf %06d "$passes").bmp" "$WL_TMP/replayed.png"
diff=$(wl_pixel_difference "$WL_TMP/final.png" "$WL_TMP/replayed.png")
[ "$diff" = 0 ] || wl_fail "the replay's last frame differs from the game's in $diff pixels"
# The recording drove real play: the runner's trace shows the game in play
# (mode 2) with the level scrolled.
"$replay" --trace "$WL_TMP/trace.jsonl" "$demo" || wl_fail "no trace of the recording"
grep -q '"game_mode":2,' "$WL_TMP/trace.jsonl" || wl_fail "the recording never reached play"
grep '"game_mode":2,' "$WL_TMP/trace.jsonl" | grep -qv '"camera_x":0,' ||
    wl_fail "the recording never scrolled the level"

echo "PASS: the replay of the recording ends on the game's last frame"
