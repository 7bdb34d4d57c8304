# Without an X display the program ends with exit code 1, silently, and
# does not crash.
# Usage: no_display.sh GAME REPLAY
game=$1
out=$(mktemp)
code=0
env -u DISPLAY "$game" >"$out" 2>&1 || code=$?
if [ "$code" != 1 ]; then
    echo "FAIL: exit code $code without a display (want 1)"
    cat "$out"
    rm -f "$out"
    exit 1
fi
if grep -v -e '^ALSA lib' -e '^tarnblast: cannot load' "$out" | grep -q .; then
    echo "FAIL: unexpected output without a display:"
    cat "$out"
    rm -f "$out"
    exit 1
fi
rm -f "$out"
echo "PASS: no display gives exit code 1"
