# The X display going away under a running game (the server stops) ends the
# game within 2 s, with exit code 1 and one line on stderr, in play, in the
# editor and while paused. Nothing is lost: the recording ends in a whole
# line holding the keys held at the loss (or, paused, is as the pause left
# it) and replays to its last pass, and the editor's export, written on every
# pass while Right Shift is held, is whole and the one the replay writes.
# Usage: display_loss.sh GAME REPLAY (from the build directory)
. "$(dirname "$0")/window_lib.sh"
game=$1
replay=$2
wl_setup
out="$WL_TMP/level.txt"

# case: start mode, the steps (KEY=KEYS: KEY held until a pass holding
# exactly KEYS is recorded; +KEY: KEY held down from then on, =KEYS as
# before; KEY=paused: until the game has paused), the last recorded line, the
# game mode at the last pass.
while read -r name mode steps last_line last_mode; do
    rec="$WL_TMP/$name.txt"
    rm -f "$out"
    wl_start_game "$game" TARNBLAST_START_MODE="$mode" TARNBLAST_RECORD="$rec" \
        TARNBLAST_EXPORT_PATH="$out"
    for step in ${steps//\// }; do
        key=${step%%=*} want=${step#*=}
        [ "$want" = "$step" ] && want=""
        check=(wl_recorded "${want//,/ }" "$rec")
        [ "$want" = paused ] && check=(wl_paused "$rec")
        if [ "${key#+}" != "$key" ]; then
            wl_key_down "${key#+}"
            [ -z "$want" ] || wl_await "${check[@]}"
        else
            wl_hold "$key" "${check[@]}"
        fi
    done
    sleep 0.3
    paused_lines=$(wc -l <"$rec")
    wl_stop_display
    wl_expect_exit 1 2 "$name: the lost display"
    [ "$(grep -v '^ALSA' "$WL_TMP/game.err")" = "tarnblast: the X display went away; the game ends" ] ||
        wl_fail "$name: stderr says: $(cat "$WL_TMP/game.err")"
    [ "$(tail -c 1 "$rec" | od -An -c | tr -d ' ')" = '\n' ] || wl_fail "$name: a torn last line"
    [ "$(tail -n 1 "$rec")" = "${last_line//,/ }" ] ||
        wl_fail "$name: the last recorded pass holds '$(tail -n 1 "$rec")'"
    [ "$name" != paused ] || [ "$(wc -l <"$rec")" = "$paused_lines" ] ||
        wl_fail "paused: $(($(wc -l <"$rec") - paused_lines)) passes recorded after the pause"
    passes=$(grep -vc '^#' "$rec")
    TARNBLAST_EXPORT_PATH="$WL_TMP/replayed.txt" "$replay" --start-mode "$mode" \
        --trace "$WL_TMP/trace.jsonl" --trace-list "$passes" "$rec" ||
        wl_fail "$name: the runner refused the recording"
    grep -q "^{\"frame\":$passes,\"game_mode\":$last_mode," "$WL_TMP/trace.jsonl" ||
        wl_fail "$name: the replay's pass $passes: $(head -c 80 "$WL_TMP/trace.jsonl")"
    if [ "$mode" = 3 ]; then
        [ "$(stat -c %s "$out")" = 143386 ] || wl_fail "editor: the export is not whole"
        cmp -s "$out" "$WL_TMP/replayed.txt" || wl_fail "editor: the replay exported another level"
    fi
    wl_start_display
done <<'CASES'
play    1 s=S/+space/+Left=LEFT,SPACE    LEFT,SPACE    2
editor  3 +Right/+Shift_R=RIGHT,RSHIFT   RIGHT,RSHIFT  3
paused  1 s=S/+Left=LEFT/p=paused        LEFT          2
CASES
echo "PASS: a lost display ends play, the editor and a pause with 1; recording and export whole"
