# Without an X display the program ends with exit code 1, silently (but for
# the sound library's own lines and missing assets), and does not crash.
# Usage: no_display.sh GAME REPLAY
code=0
said=$(env -u DISPLAY "$1" 2>&1) || code=$?
[ "$code" = 1 ] || { echo "FAIL: exit code $code without a display (want 1): $said"; exit 1; }
if echo "$said" | grep -v -e '^ALSA lib' -e '^tarnblast: cannot load' | grep -q .; then
    echo "FAIL: unexpected output without a display: $said"
    exit 1
fi
echo "PASS: no display gives exit code 1"
