#!/usr/bin/env bash
# Measures what the unit tests catch: applies, one at a time, small faults
# to the game's logic in a scratch copy of the tree, rebuilds the unit-test
# program there (incrementally) and runs it. Each fault is reported as
# caught, SURVIVED, "pattern not found" or "does not build", then a total.
#   scripts/mutants.sh                 every fault
#   scripts/mutants.sh NAME...         only the faults with these names
# Environment: MUTANTS_DIR (the scratch folder, default /tmp/tarnblast-mutants-$USER),
# MUTANTS_JOBS (build jobs, default 2), MUTANTS_TIMEOUT (seconds per test run, 300).
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
scratch=${MUTANTS_DIR:-/tmp/tarnblast-mutants-${USER:-$(id -u)}}
jobs=${MUTANTS_JOBS:-2}
limit=${MUTANTS_TIMEOUT:-300}

# One fault a line: file hint @@ exact text (one line of the file) @@ its
# replacement @@ name. The file is only a hint: when it has moved, the text
# is looked for everywhere under src/.
FAULTS=$(cat <<'EOF'
src/world/player.cpp @@ if (game.move_counter > 1) { @@ if (game.move_counter > 2) { @@ walk-every-third-pass
src/world/player.cpp @@ walk(PLAYER_LEFT, -TILE_SIZE); @@ walk(PLAYER_RIGHT, -TILE_SIZE); @@ left-walk-faces-right
src/world/player.cpp @@ JUMP_FRAMES = 30; @@ JUMP_FRAMES = 31; @@ jump-one-frame-longer
src/world/player.cpp @@ PLAYER_STEP_Y = 2; @@ PLAYER_STEP_Y = 3; @@ player-falls-3
src/world/player.cpp @@ if (game.player_y > SCREEN_HEIGHT) @@ if (game.player_y >= SCREEN_HEIGHT) @@ death-line-off-by-one
src/world/player.cpp @@ if (game.player_falling == FLAG_CLEAR) @@ if (game.player_falling == FLAG_SET) @@ jump-while-falling
src/world/player_shots.cpp @@ FIRE_INTERVAL = 5; @@ FIRE_INTERVAL = 6; @@ fire-every-seventh
src/world/player_shots.cpp @@ SHOT_SPEED = 5; @@ SHOT_SPEED = 4; @@ shot-speed-4
src/world/player_shots.cpp @@ SHOT_DROP_FROM_TOP = 15; @@ SHOT_DROP_FROM_TOP = 16; @@ shot-height
src/world/player_shots.cpp @@ if (game.shot_x[j] < 5) @@ if (game.shot_x[j] < 0) @@ shot-left-edge
src/world/player_shots.cpp @@ if (game.next_shot_slot > PLAYER_SHOT_SLOTS - 1) @@ if (game.next_shot_slot > PLAYER_SHOT_SLOTS - 2) @@ shot-slot-wrap
src/world/camera.cpp @@ if (remainder > 5 || @@ if (remainder > 4 || @@ camera-rounds-half-up
src/shell/score.cpp @@ digits[i - 1] += 1; @@ digits[i - 1] += 2; @@ carry-two
src/shell/score.cpp @@ for (int j = i; j <= 9; ++j) @@ for (int j = i + 1; j <= 9; ++j) @@ carry-keeps-digit
src/shell/score.cpp @@ if (digit < 0 || digit > 9) @@ if (digit < 0 || digit > 10) @@ hud-draws-ten
src/shell/score.cpp @@ 56 + 10 * (i - 1) @@ 56 + 8 * (i - 1) @@ hud-digit-spacing
src/shell/score.h @@ KILL_TENS = 2; @@ KILL_TENS = 1; @@ kill-worth-10
src/world/world_scan.h @@ WINDOW_COLUMNS = 33; @@ WINDOW_COLUMNS = 32; @@ scan-32-columns
src/world/world_scan.cpp @@ for (int32_t row = 0; row < GRID_ROWS; ++row) { @@ for (int32_t row = 0; row < GRID_ROWS - 1; ++row) { @@ scan-skips-row-20
src/shell/main_loop.cpp @@ if (game.level_number > game.level_count) @@ if (game.level_number >= game.level_count) @@ level-6-skipped
src/shell/main_loop.cpp @@ game.camera_column = 1; @@ game.camera_column = 0; @@ start-camera-column
src/shell/main_loop.cpp @@ {KEY_S, MODE_TITLE, start_game}, @@ {KEY_S, MODE_PLAY, start_game}, @@ s-in-wrong-mode
src/shell/title.cpp @@ {301, 499, 0, 0}, @@ {300, 499, 0, 0}, @@ title-no-black-frame
src/shell/title.cpp @@ if (game.title_timer > TITLE_CYCLE) @@ if (game.title_timer >= TITLE_CYCLE) @@ title-cycle-short
src/world/blocks.cpp @@ BLOCK_REACH = 22; @@ BLOCK_REACH = 21; @@ block-reach
src/world/blocks.cpp @@ ENEMY_LANDING_REACH = 35; @@ ENEMY_LANDING_REACH = 36; @@ enemy-landing-reach
src/world/blocks.cpp @@ PLAYER_LANDING_REACH = 35; @@ PLAYER_LANDING_REACH = 34; @@ player-landing-reach
src/world/blocks.cpp @@ PLAYER_PUSH_REACH = 30; @@ PLAYER_PUSH_REACH = 31; @@ push-reach
src/world/blocks.cpp @@ PUSH_PIXELS = 20; @@ PUSH_PIXELS = 10; @@ push-distance
src/world/blocks.cpp @@ DROP_REACH = 12; @@ DROP_REACH = 11; @@ drop-reach
src/world/blocks.cpp @@ DROP_ABOVE = 28; @@ DROP_ABOVE = 29; @@ drop-above
src/enemies/enemies_at_blocks.cpp @@ start_explosion(shot, sx, wrap_sub(shot.y, ARC_EXPLOSION_RAISE)); @@ start_explosion(shot, sx, wrap_sub(shot.y, ARC_EXPLOSION_RAISE - 2)); @@ arc-block-explosion-height
src/enemies/group_a.cpp @@ GROUP_A_FIRE_THRESHOLD = 60; @@ GROUP_A_FIRE_THRESHOLD = 59; @@ a-patrol-length
src/enemies/group_a.cpp @@ GROUP_A_ANIM_THRESHOLD = 10; @@ GROUP_A_ANIM_THRESHOLD = 11; @@ a-animation-pace
src/enemies/group_a.cpp @@ GROUP_A_TOUCH{10, 22, 33}; @@ GROUP_A_TOUCH{10, 22, 32}; @@ a-touch-box
src/enemies/group_b.cpp @@ GROUP_B_FIRE_THRESHOLD = 40; @@ GROUP_B_FIRE_THRESHOLD = 41; @@ b-fire-pace
src/enemies/group_b.cpp @@ GROUP_B_HIT{0, 33, 33}; @@ GROUP_B_HIT{0, 32, 33}; @@ b-hit-box
src/enemies/group_c.cpp @@ GROUP_C_FIRE_THRESHOLD = 20; @@ GROUP_C_FIRE_THRESHOLD = 21; @@ c-fire-pace
src/enemies/group_c.cpp @@ GROUP_C_HIT{0, 22, 35}; @@ GROUP_C_HIT{0, 22, 33}; @@ c-hit-box
src/enemies/group_d.cpp @@ GROUP_D_FIRE_THRESHOLD = 60; @@ GROUP_D_FIRE_THRESHOLD = 61; @@ d-fire-pace
src/enemies/group_d.cpp @@ GROUP_D_STANDING{35, 22, 22}; @@ GROUP_D_STANDING{34, 22, 22}; @@ d-standing-reach
src/enemies/group_d.cpp @@ GROUP_D_PUSH_PIXELS = 20; @@ GROUP_D_PUSH_PIXELS = 10; @@ d-throw-back
src/enemies/enemy_visit.cpp @@ FALL_PIXELS = 2; @@ FALL_PIXELS = 1; @@ enemy-fall-speed
src/enemies/enemy_visit.cpp @@ DEATH_RISE_PIXELS = 3; @@ DEATH_RISE_PIXELS = 2; @@ death-rise-speed
src/enemies/enemy_shots.cpp @@ LOB_TOP = 20; @@ LOB_TOP = 21; @@ lob-top
src/enemies/enemy_shots.cpp @@ LOB_EXPLOSION_RAISE = 25; @@ LOB_EXPLOSION_RAISE = 24; @@ lob-explosion-height
src/enemies/enemy_shots.cpp @@ ARC_TOP = 30; @@ ARC_TOP = 29; @@ arc-top
src/enemies/enemy_shots.cpp @@ STRAIGHT_SPEED = 3; @@ STRAIGHT_SPEED = 2; @@ straight-speed
src/enemies/enemy_shots.cpp @@ STRAIGHT_LEFT_EDGE = 5; @@ STRAIGHT_LEFT_EDGE = 6; @@ straight-left-edge
src/enemies/enemy_shots.cpp @@ RISING_SPEED = 2; @@ RISING_SPEED = 3; @@ rising-speed
src/enemies/enemy_shots.cpp @@ LOBBED_EXPLOSION{10, @@ LOBBED_EXPLOSION{11, @@ lob-explosion-pace
src/enemies/enemy_shots.cpp @@ ARC_EXPLOSION{5, @@ ARC_EXPLOSION{6, @@ arc-explosion-pace
src/enemies/enemy_shots.cpp @@ if (enemy.next_shot > ENEMY_SHOTS - 1) @@ if (enemy.next_shot > ENEMY_SHOTS - 2) @@ enemy-shot-slot-wrap
src/editor/editor.cpp @@ CURSOR_REPEAT = 3; @@ CURSOR_REPEAT = 2; @@ cursor-repeat
src/editor/editor.cpp @@ BRUSH_REPEAT = 10; @@ BRUSH_REPEAT = 11; @@ brush-repeat
src/editor/editor.cpp @@ SCROLL_LIMIT_COLUMN = 500; @@ SCROLL_LIMIT_COLUMN = 499; @@ scroll-limit
src/editor/editor.cpp @@ if (next_code < group->base_code + ENEMY_SLOTS - 1 && game.placement_armed == FLAG_SET) { @@ if (next_code <= group->base_code + ENEMY_SLOTS - 1 && game.placement_armed == FLAG_SET) { @@ fifty-first-code
src/editor/editor.cpp @@ if (game.second_scroll_column < 2) @@ if (game.second_scroll_column < 3) @@ f3-nudge-range
src/levels/level_export.cpp @@ for (int32_t column = row == 1 ? 1 : 0; column <= LAST_WRITTEN_COLUMN; ++column) @@ for (int32_t column = row == 1 ? 0 : 0; column <= LAST_WRITTEN_COLUMN; ++column) @@ export-writes-cell-1-0
src/levels/load_level.cpp @@ for (int32_t column = run.first; column <= run.last; column += 2) @@ for (int32_t column = run.first; column < run.last; column += 2) @@ block-run-drops-last
src/shell/settings.cpp @@ while (scale > 1 && (width * scale > desktop_width @@ while (scale > 1 && (width * scale >= desktop_width @@ exact-fit-refused
EOF
)

only=" $* "
rm -rf "$scratch"
mkdir -p "$scratch"
# The tree as it stands (tracked and new files alike), without build folders.
(cd "$top" && git ls-files -co --exclude-standard -z | grep -zv '^build' |
    xargs -0 cp --parents -t "$scratch") || { echo "cannot copy the tree"; exit 1; }
build="$scratch/build"
cmake -S "$scratch" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNBLAST_BENCHMARKS=OFF \
    >"$scratch/cmake.log" 2>&1 || { cat "$scratch/cmake.log"; exit 1; }
cmake --build "$build" -j "$jobs" --target tarnblast_tests >"$scratch/build.log" 2>&1 ||
    { tail -n 30 "$scratch/build.log"; exit 1; }

run_tests() {
    (cd "$build" && timeout "$limit" ./tests/tarnblast_tests --gtest_brief=1 --gtest_fail_fast \
        >"$scratch/test.log" 2>&1)
}
run_tests || { echo "the unit tests fail without any fault:"; tail -n 30 "$scratch/test.log"; exit 1; }

# The file under src/ holding the text once, starting with the hint.
find_file() {
    local hint=$1 text=$2 file
    if [ -f "$scratch/$hint" ] && [ "$(grep -cF -- "$text" "$scratch/$hint")" = 1 ]; then
        echo "$scratch/$hint"
        return
    fi
    file=$(grep -rlF -- "$text" "$scratch/src" | head -n 2)
    [ -n "$file" ] && [ "$(echo "$file" | wc -l)" = 1 ] &&
        [ "$(grep -cF -- "$text" "$file")" = 1 ] && echo "$file"
}

caught=0 survived=0 missing=0 broken=0
while IFS= read -r line; do
    [ -n "$line" ] || continue
    hint=${line%% @@ *}; rest=${line#* @@ }
    text=${rest%% @@ *}; rest=${rest#* @@ }
    replacement=${rest%% @@ *}; name=${rest#* @@ }
    [ "$only" = "  " ] || [[ "$only" == *" $name "* ]] || continue
    file=$(find_file "$hint" "$text")
    if [ -z "$file" ]; then
        echo "pattern not found  $name"
        missing=$((missing + 1))
        continue
    fi
    cp -p "$file" "$scratch/original"
    content=$(cat "$file"; echo x)
    content=${content%x}
    printf '%s' "${content/"$text"/"$replacement"}" >"$file"
    if ! cmake --build "$build" -j "$jobs" --target tarnblast_tests >"$scratch/build.log" 2>&1; then
        echo "does not build      $name"
        broken=$((broken + 1))
    elif run_tests; then
        echo "SURVIVED           $name"
        survived=$((survived + 1))
    else
        echo "caught             $name"
        caught=$((caught + 1))
    fi
    cp -p "$scratch/original" "$file"
    touch "$file"
done <<<"$FAULTS"
echo "faults: $caught caught, $survived survived, $missing pattern not found, $broken do not build"
[ "$survived" = 0 ] && [ "$missing" = 0 ] && [ "$broken" = 0 ]
