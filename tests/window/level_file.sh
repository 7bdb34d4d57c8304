# The designer's round trip in a real window: a level file opened in the
# editor (TARNBLAST_LEVEL), a block placed and written back with Right Shift,
# then the file played (packs are the unit tests'). The play is recorded,
# and the replay runner with --level replays it to the frame the window
# showed last, so no check depends on how many passes a key was held.
# Usage: level_file.sh GAME REPLAY (from the build directory)
. "$(dirname "$0")/window_lib.sh"
game=$1
replay=$2
wl_setup
level="$WL_TMP/mine.txt"
"$(dirname "$game")/tarnblast-levels" export 2 "$level" || wl_fail "no level to start from"
cp "$level" "$WL_TMP/before.txt"

# Replays NAME.txt on LEVEL_FILE; true when it ends on the game's NAME.bmp.
same_last_frame() {  # NAME LEVEL_FILE [runner options]
    local name=$1 file=$2 passes
    shift 2
    passes=$(grep -vc '^#' "$WL_TMP/$name.txt")
    grep -q "^# on the level $HEADER\$" "$WL_TMP/$name.txt" || wl_fail "$name.txt names no level"
    "$replay" "$@" --level "$file" --frames-out "$WL_TMP/$name" --frame-list "$passes" "$WL_TMP/$name.txt" ||
        wl_fail "the runner refused $name.txt"
    cmp -s "$WL_TMP/$name.bmp" "$WL_TMP/$name/frame-$(printf %06d "$passes").bmp"  # one BMP writer
}
session() {  # NAME KEY... : a recorded session on the level file, ended by Escape
    local name=$1 keys
    shift
    wl_start_game "$game" TARNBLAST_LEVEL="$LEVEL" TARNBLAST_RECORD="$WL_TMP/$name.txt" \
        TARNBLAST_FINAL_FRAME="$WL_TMP/$name.bmp" "${ENV_EXTRA[@]}"
    for keys in "$@"; do
        wl_tap "${keys% *}" "${keys#* }"
        sleep 0.2
    done
    wl_tap Escape
    wl_expect_exit 0 10 "$name: Escape"
}

# Space for about 18 passes turns the brush once, to the block; Enter puts
# one at (1, 2), under the cursor; Right Shift writes the file back.
LEVEL=$level HEADER="file: add --level .*mine.txt"
ENV_EXTRA=(TARNBLAST_START_MODE=3)
session edit "space 0.25" "Return 0.1" "Shift_R 0.1"
[ "$(head -c 28 "$level" | tail -c 14)" = " 2,           " ] || wl_fail "no block at (1, 2) in the file written back"
cmp -s <(tail -c +29 "$level") <(tail -c +29 "$WL_TMP/before.txt") || wl_fail "the editor changed more than (1, 2)"

# Play: the window shows the file's level, not the level before the edit.
ENV_EXTRA=()
session play "s 0.2" "Up 0.1"
same_last_frame play "$level" || wl_fail "the play's replay with --level ends elsewhere"
same_last_frame play "$WL_TMP/before.txt" && wl_fail "the window does not show what the edit added"
echo "PASS: edited and written back, played, and replayed with --level to the same frame"
