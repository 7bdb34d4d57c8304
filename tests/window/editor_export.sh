# The level editor in a real window: Space picks the block brush, Enter puts
# a block under the cursor, Right moves the cursor along row 1, Space picks
# an enemy brush and Enter places an enemy there, Right Shift exports the
# level, and Escape ends the program with exit code 0.
# Usage: editor_export.sh GAME REPLAY (from the build directory)
#
# Keys are held for real time, not for a counted number of passes, so the
# holds sit well inside the windows that give the wanted effect at 70 passes
# a second (the shared repeat counter starts at 0):
#   Space 0.23 s (~16 passes): the brush turns once (on the 11th), to block.
#   Right 0.5 s (~35 passes): the cursor steps every 4th pass, about 8 to 12
#     cells; the enemy's column is therefore found, within that range.
#   Space 0.21 s (~15 passes): one more turn, to the group A brush, and armed.
# The file is compared with an export made before any change, so exactly the
# two placed cells must differ.
. "$(dirname "$0")/window_lib.sh"
game=$1
wl_setup

out="$WL_TMP/levels/new/level.txt"
wl_start_game "$game" TARNBLAST_START_MODE=3 TARNBLAST_EXPORT_PATH="$out"

# The level as the editor starts with it.
wl_tap Shift_R 0.1
sleep 0.2
[ -f "$out" ] || wl_fail "Right Shift wrote no file to $out: $(cat "$WL_TMP/game.err")"
cp "$out" "$WL_TMP/before.txt"

wl_tap space 0.23
sleep 0.1
wl_tap Return 0.1
sleep 0.1
wl_tap Right 0.5
sleep 0.1
wl_tap space 0.21
sleep 0.1
wl_tap Return 0.1
sleep 0.2
wl_tap Shift_R 0.1
sleep 0.2
wl_tap Escape
wl_wait_exit 10
code=$WL_EXIT_CODE
[ "$code" = 0 ] || wl_fail "Escape ended the editor with $code"
grep -q 'cannot export' "$WL_TMP/game.err" && wl_fail "export failed: $(cat "$WL_TMP/game.err")"

# Every field is 14 characters; line 1 holds row 1 from column 1.
size=$(stat -c %s "$out")
[ "$size" = 143386 ] || wl_fail "the file has $size bytes, not 143386"
changes=$(python3 - "$WL_TMP/before.txt" "$out" <<'PY'
import sys
before, after = (open(p, 'rb').read().split(b'\r\n')[:20] for p in sys.argv[1:])
for line, (old, new) in enumerate(zip(before, after), start=1):
    for i in range(0, len(new), 14):
        if old[i:i + 14] != new[i:i + 14]:
            row = line
            column = i // 14 + (1 if line == 1 else 0)
            print(row, column, int(new[i:i + 14].split(b',')[0]))
PY
)
echo "changed cells (row column code):"
echo "$changes"
[ "$(echo "$changes" | wc -l)" = 2 ] || wl_fail "expected exactly two changed cells"
first=$(echo "$changes" | sed -n 1p)
second=$(echo "$changes" | sed -n 2p)
[ "$first" = "1 2 2" ] || wl_fail "no block at row 1, column 2 (field 2 of line 1): $first"
read -r row column enemy <<<"$second"
[ "$row" = 1 ] || wl_fail "the enemy is not in row 1: $second"
[ "$column" -ge 9 ] && [ "$column" -le 15 ] || wl_fail "the enemy is not 7 to 13 cells right of the block: $second"
[ "$enemy" = 3 ] || wl_fail "the enemy has code $enemy, not 3 (the first group A code)"
echo "PASS: block at (1, 2), enemy 3 at (1, $column), exported and Escape exits 0"
