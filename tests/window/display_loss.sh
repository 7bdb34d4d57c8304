# The X display going away under a running game (the server stops) ends the
# game within 2 s, with exit code 1 and one line on stderr, in play, in the
# editor and while paused. Nothing is lost: the recording ends in a whole
# line holding the keys held at the loss (or, paused, is as the pause left
# it), and the editor's export, written on every pass while Right Shift is
# held, is whole.
# Usage: display_loss.sh GAME REPLAY (from the build directory)
. "$(dirname "$0")/window_lib.sh"
game=$1
wl_setup
out="$WL_TMP/level.txt"

# case: start mode, the steps (KEY=KEYS: KEY held until a pass holding
# exactly KEYS is recorded; +KEY: KEY held down from then on, =KEYS as
# before; KEY=paused: until the game has paused), the last recorded line.
while read -r name mode steps last_line; do
    rec="$WL_TMP/$name.txt"
    rm -f "$out"
    wl_start_game "$game" TARNBLAST_START_MODE="$mode" TARNBLAST_RECORD="$rec" \
        TARNBLAST_EXPORT_PATH="$out"
    for step in ${steps//\// }; do
        key=${step%%=*} want=${step#*=}
        [ "$want" = "$step" ] && want=""
        check=(wl_recorded "${want//,/ }" "$rec")
        [ "$want" = paused ] && check=(wl_paused)
        if [ "${key#+}" != "$key" ]; then
            wl_key_down "${key#+}"
            [ -z "$want" ] || wl_await "${check[@]}"
        else
            wl_hold "$key" "${check[@]}"
        fi
    done
    # A few more passes recorded (none when paused) before the display goes.
    paused_lines=$(wc -l <"$rec")
    [ "$name" = paused ] || wl_await wl_running "$rec" $((paused_lines + 5))
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
    [ "$mode" = 1 ] || [ "$(stat -c %s "$out")" = 143386 ] || wl_fail "editor: the export is not whole"
    wl_start_display
done <<'CASES'
play    1 s=S/+space/+Left=LEFT,SPACE    LEFT,SPACE
editor  3 +Right/+Shift_R=RIGHT,RSHIFT   RIGHT,RSHIFT
paused  1 s=S/+Left=LEFT/p=paused        LEFT
CASES
echo "PASS: a lost display ends play, the editor and a pause with 1; recording and export whole"
