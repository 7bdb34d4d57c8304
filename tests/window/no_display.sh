# Without an X display the program ends with exit code 1, does not crash,
# and says why in one line (beside the sound library's own lines and missing
# assets): DISPLAY unset, or naming a display no server answers on.
# Usage: no_display.sh GAME REPLAY
while IFS='|' read -r display want; do
    code=0
    said=$(if [ -n "$display" ]; then DISPLAY=$display "$1"; else env -u DISPLAY "$1"; fi 2>&1) ||
        code=$?
    [ "$code" = 1 ] || { echo "FAIL: exit code $code on '$display' (want 1): $said"; exit 1; }
    said=$(echo "$said" | grep -v -e '^ALSA lib' -e '^tarnblast: cannot load')
    [ "$said" = "$want" ] || { echo "FAIL: on '$display' the game says: $said"; exit 1; }
done <<'CASES'
|tarnblast: cannot start Allegro: no X display (DISPLAY is not set)
:64999|tarnblast: cannot start Allegro: the X display :64999 cannot be opened
CASES
echo "PASS: no display gives exit code 1 and says why"
