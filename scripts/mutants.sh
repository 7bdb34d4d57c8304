#!/usr/bin/env bash
# Measures what the fast unit tests catch: seeds faults into the game's logic
# (src/, its platforms too) and its tools (tools/levels, tools/replay), one at a time, in a
# scratch copy of the tree, rebuilds there only what the fault touches and
# runs the fast unit tests with the fault in place. Each fault is reported as
# caught, SURVIVED, "pattern not found" or "does not build"; then the figures
# by kind and by folder, and the time taken. Exits 1 unless every fault is
# caught.
#   scripts/mutants.sh                 every fault
#   scripts/mutants.sh NAME...         only the faults with these names
# Environment: MUTANTS_DIR (the scratch folder, default /tmp/tarnblast-mutants-$USER),
# MUTANTS_JOBS (build jobs, default 2), MUTANTS_TIMEOUT (seconds per test run, 120).
# The whole script is one block, read before it runs: editing the file
# meanwhile cannot change a run.
{
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
scratch=${MUTANTS_DIR:-/tmp/tarnblast-mutants-${USER:-$(id -u)}}
jobs=${MUTANTS_JOBS:-2}
limit=${MUTANTS_TIMEOUT:-120}
started=$(date +%s)

# One fault a line: KIND FILE[#N] @@ exact text @@ its replacement @@ name.
# The kinds: delete (a statement such as a kill, a refusal or a write is
# gone), condition (a test inverted, dropped or moved across its edge) and
# constant (a number moved by one step). The text is replaced where it occurs
# (its Nth occurrence with #N). The file is only a hint: when it has moved,
# the text is looked for everywhere under src/, tools/levels and tools/replay.
FAULTS=$(cat <<'EOF'
delete     src/base/score.cpp @@ digits[i - 1] += 1; @@  @@ carry-lost
constant   src/base/score.cpp @@ for (int j = i; j <= 9; ++j) @@ for (int j = i + 1; j <= 9; ++j) @@ carry-keeps-digit
constant   src/base/score.cpp @@ if (digits[i] > 9) { @@ if (digits[i] > 10) { @@ ten-stays-a-digit
delete     src/base/score.cpp @@ game.score_digits[TENS_DIGIT] += KILL_TENS; @@  @@ kill-scores-nothing
constant   src/base/score.h @@ KILL_TENS = 2; @@ KILL_TENS = 1; @@ kill-worth-10
delete     src/base/key_names.cpp @@ out[length++] = ' '; @@  @@ key-names-run-together
condition  src/base/key_names.cpp @@ if (!(keys >> i & 1)) @@ if (keys >> i & 1) @@ key-set-text-inverted
delete     src/base/sound.cpp @@ ++pass_sounds_started; @@  @@ sounds-not-counted
delete     src/base/sound.cpp @@ pass_sounds_started = 0;#2 @@  @@ sounds-never-forgotten
condition  src/base/assets.cpp @@ if ((shows_title || file.editor_needs) && !asset_loaded(file.id)) @@ if (shows_title || file.editor_needs) @@ held-asset-read-again
delete     src/levels/level_file.cpp @@ first_row[code] = row; @@  @@ repeated-enemy-code-taken
constant   src/levels/level_file.cpp @@ if (count > 1 && text[digits] == '0') @@ if (count > 2 && text[digits] == '0') @@ leading-zero-taken
constant   src/levels/level_file.cpp @@ if (count > 10) @@ if (count > 11) @@ eleven-digits-taken
condition  src/levels/level_file.cpp @@ if (lf == at || text[lf - 1] != '\r') @@ if (lf == at) @@ lf-without-cr-taken
condition  src/levels/level_file.cpp @@ if (sign != ' ' && sign != '-') @@ if (sign != ' ') @@ negative-field-misread
constant   src/levels/level_file.cpp @@ constexpr int32_t ANCHOR_COLUMNS = 33; @@ constexpr int32_t ANCHOR_COLUMNS = 32; @@ anchor-columns-32
condition  src/levels/level_file.cpp @@ if (uses & anchor.use) @@ if (anchor.use) @@ play-file-needs-cursor
delete     src/levels/load_level.cpp @@ put_tile(grid, enemy.row, enemy.column, enemy.code); @@  @@ no-enemies-loaded
delete     src/levels/level_pack.cpp @@ clear_level_area(grid); @@  @@ file-load-keeps-old-cells
constant   src/levels/level_export.cpp @@ for (int32_t column = row == 1 ? 1 : 0; column <= LAST_WRITTEN_COLUMN; ++column) @@ for (int32_t column = row == 1 ? 0 : 0; column <= LAST_WRITTEN_COLUMN; ++column) @@ export-writes-cell-1-0
condition  src/levels/level_export.cpp @@ out[0] = value < 0 ? '-' : ' '; @@ out[0] = ' '; @@ export-loses-minus
delete     src/levels/level_export.cpp @@ game.export_notice = EXPORT_NOTICE_PASSES; @@  @@ failure-not-shown
condition  src/levels/level_export.cpp @@ if (chosen && !game.export_empty_path_told) { @@ if (chosen) { @@ empty-path-told-every-time
condition  src/levels/level_export.cpp @@ if (game.export_error == error && std::strcmp(told_path, path) == 0) @@ if (game.export_error != error && std::strcmp(told_path, path) == 0) @@ failure-told-every-pass
constant   src/levels/level_tables.cpp @@ {9, 53, 65}, @@ {9, 53, 63}, @@ level-2-run-short
delete     src/world/player.cpp @@ move_camera(pixels); @@  @@ walk-goes-nowhere
delete     src/world/player.cpp @@ game.player_facing = facing; @@  @@ walk-keeps-facing
constant   src/world/player.cpp @@ if (game.move_counter > 1) { @@ if (game.move_counter > 2) { @@ walk-every-third-pass
delete     src/world/player.cpp @@ game.player_offset_y -= PLAYER_STEP_Y; @@  @@ jump-never-rises
condition  src/world/player.cpp @@ if (game.player_y > SCREEN_HEIGHT) @@ if (game.player_y >= SCREEN_HEIGHT) @@ death-line-off-by-one
delete     src/world/player_shots.cpp @@ start_sound(SOUND_SHOT); @@  @@ gun-silent
delete     src/world/player_shots.cpp @@ game.shot_direction[game.next_shot_slot] = game.player_facing; @@  @@ shot-keeps-old-direction
constant   src/world/player_shots.cpp @@ FIRE_INTERVAL = 5; @@ FIRE_INTERVAL = 6; @@ fire-every-seventh
constant   src/world/player_shots.cpp @@ if (game.next_shot_slot > PLAYER_SHOT_SLOTS - 1) @@ if (game.next_shot_slot > PLAYER_SHOT_SLOTS - 2) @@ shot-slot-wrap
delete     src/world/blocks.cpp @@ game.player_falling = FLAG_CLEAR; @@  @@ block-never-holds
delete     src/world/blocks.cpp @@ game.shot_active[j] = FLAG_CLEAR; @@  @@ block-lets-shots-through
delete     src/world/blocks.cpp @@ move_camera(PUSH_PIXELS); @@  @@ no-push-facing-left
constant   src/world/blocks.cpp @@ BLOCK_REACH = 22; @@ BLOCK_REACH = 21; @@ block-reach
constant   src/world/blocks.cpp @@ PUSH_PIXELS = 20; @@ PUSH_PIXELS = 10; @@ push-distance
delete     src/world/camera.cpp @@ quotient -= 1; @@  @@ negative-camera-rounds-up
condition  src/world/camera.cpp @@ if (remainder > 5 || (remainder == 5 && (quotient & 1))) @@ if (remainder > 5 || remainder == 5) @@ camera-ties-round-up
delete     src/enemies/group_a.cpp @@ kill_player(); @@  @@ a-touch-harmless
delete     src/enemies/group_b.cpp @@ kill_player(); @@  @@ b-touch-harmless
delete     src/enemies/group_c.cpp @@ kill_player(); @@  @@ c-touch-harmless
delete     src/enemies/enemy_shots.cpp @@ kill_player();#1 @@  @@ explosions-harmless
delete     src/enemies/enemy_shots.cpp @@ kill_player();#2 @@  @@ arc-shot-harmless
delete     src/enemies/enemy_shots.cpp @@ kill_player();#3 @@  @@ straight-shot-harmless
delete     src/enemies/enemy_shots.cpp @@ kill_player();#4 @@  @@ rising-shot-harmless
constant   src/enemies/group_a.cpp @@ GROUP_A_TOUCH{10, 22, 33}; @@ GROUP_A_TOUCH{10, 22, 32}; @@ a-touch-box
constant   src/enemies/group_b.cpp @@ GROUP_B_TOUCH{20, 33, 33}; @@ GROUP_B_TOUCH{19, 33, 33}; @@ b-touch-box
constant   src/enemies/group_c.cpp @@ GROUP_C_TOUCH{20, 22, 33}; @@ GROUP_C_TOUCH{20, 21, 33}; @@ c-touch-box
constant   src/enemies/enemy_shots.cpp @@ {10, {20, 35, 35}, true}; @@ {10, {20, 34, 35}, true}; @@ lob-explosion-box
constant   src/enemies/enemy_shots.cpp @@ {5, {12, 33, 33}, false}; @@ {5, {12, 33, 32}, false}; @@ arc-explosion-box
constant   src/enemies/enemy_shots.cpp @@ ARC_KILL_BOX{12, 12, 12}; @@ ARC_KILL_BOX{11, 12, 12}; @@ arc-shot-box
constant   src/enemies/enemy_shots.cpp @@ PLAYER_BOX{0, 22, 33}; @@ PLAYER_BOX{0, 21, 33}; @@ player-box-for-shots
condition  src/enemies/enemy_visit.cpp @@ if (game.game_mode == MODE_PLAY) @@ if (game.game_mode != MODE_TITLE) @@ editor-player-dies
condition  src/enemies/enemy_visit.cpp @@ return left < x && top < wrap_add(y, box.reach_above) && x < wrap_add(left, box.width) @@ return left <= x && top < wrap_add(y, box.reach_above) && x < wrap_add(left, box.width) @@ box-takes-left-edge
delete     src/enemies/enemy_visit.cpp @@ add_kill_score(); @@  @@ kill-unscored
condition  src/enemies/enemy_visit.cpp @@ if (enemy.dying_y < DEATH_EXPLOSION_TOP) @@ if (enemy.dying_y <= DEATH_EXPLOSION_TOP) @@ wreck-ends-early
constant   src/enemies/group_c.cpp @@ GROUP_C_HIT{0, 22, 35}; @@ GROUP_C_HIT{0, 22, 33}; @@ c-hit-box
constant   src/enemies/group_d.cpp @@ GROUP_D_PUSH_PIXELS = 20; @@ GROUP_D_PUSH_PIXELS = 10; @@ d-throw-back
delete     src/enemies/group_d.cpp @@ game.player_falling = FLAG_CLEAR; @@  @@ d-never-holds
delete     src/enemies/group_d.cpp @@ game.shot_active[k] = FLAG_CLEAR; @@  @@ d-lets-shots-through
delete     src/enemies/enemy_shots.cpp @@ shot.explosion_state = FLAG_CLEAR; @@  @@ explosions-never-end
condition  src/enemies/enemy_shots.cpp @@ if (kind.rests_shot_at_end) @@ if (!kind.rests_shot_at_end) @@ wrong-explosion-rests-shot
delete     src/enemies/enemies_at_blocks.cpp @@ enemy.falling = FLAG_CLEAR; @@  @@ enemies-never-land
constant   src/editor/editor.cpp @@ SCROLL_LIMIT_COLUMN = 500; @@ SCROLL_LIMIT_COLUMN = 499; @@ scroll-limit
condition  src/editor/editor.cpp @@ if (next_code < group->base_code + ENEMY_SLOTS - 1 && game.placement_armed == FLAG_SET) { @@ if (next_code < group->base_code + ENEMY_SLOTS - 1) { @@ unarmed-placement
delete     src/editor/editor.cpp @@ game.placement_armed = FLAG_CLEAR;#1 @@  @@ one-arming-many-enemies
delete     src/editor/editor.cpp @@ next_code += 1; @@  @@ code-given-twice
delete     src/editor/editor.cpp @@ game.place_request = FLAG_CLEAR;#1 @@  @@ request-outside-kept
condition  src/editor/editor.cpp @@ if (game.brush >= BRUSH_COUNT) @@ if (game.brush > BRUSH_COUNT) @@ brush-seven
delete     src/editor/editor.cpp @@ game.placement_armed = FLAG_SET; @@  @@ space-never-arms
condition  src/editor/editor.cpp @@ if (code >= next && code < last) @@ if (code >= next && code <= last) @@ file-counts-last-code
delete     src/editor/editor.cpp @@ write_pack_file_cells(0, game.level_grid); @@  @@ editor-ignores-file
condition  src/editor/editor.cpp @@ if (game.place_request == FLAG_SET) @@ if (game.place_request != FLAG_CLEAR || true) @@ places-unasked
constant   src/game/main_loop.cpp @@ if (game.level_number > game.level_count) @@ if (game.level_number >= game.level_count) @@ level-6-skipped
constant   src/game/main_loop.cpp @@ game.camera_column = 1; @@ game.camera_column = 0; @@ start-camera-column
condition  src/game/main_loop.cpp @@ if (game.camera_column == LEVEL_END_COLUMN && game.game_mode == MODE_PLAY) @@ if (game.camera_column == LEVEL_END_COLUMN) @@ editor-ends-level
delete     src/game/main_loop.cpp @@ normalise_score(); @@  @@ score-never-carries
delete     src/game/world_reset.cpp @@ digit = 0; @@  @@ new-game-keeps-score
constant   src/game/world_scan.h @@ WINDOW_COLUMNS = 33; @@ WINDOW_COLUMNS = 32; @@ scan-32-columns
delete     src/game/world_scan.cpp @@ forget_arc_shot_heights();  // an enemy visit may have moved arc shots @@  @@ stale-arc-shot-heights
condition  src/game/world_scan.cpp @@ if (game.game_mode == MODE_PLAY && camera_relative_code(row, column) == TILE_PLAYER) @@ if (camera_relative_code(row, column) == TILE_PLAYER) @@ editor-runs-player
constant   src/game/title.cpp @@ {301, 499, 0, 0}, @@ {300, 499, 0, 0}, @@ title-no-black-frame
delete     src/game/title.cpp @@ game.game_mode = MODE_PLAY; @@  @@ s-never-plays
condition  src/program/settings.cpp @@ || text[1] != '\0') @@ ) @@ scale-with-tail-taken
condition  src/program/settings.cpp @@ if (!*value) { @@ if (false) { @@ empty-level-setting-taken
delete     src/program/key_bindings.cpp @@ named[control] = true; @@  @@ action-given-twice-taken
delete     src/program/key_bindings.cpp @@ bindings = result; @@  @@ own-keys-never-taken
condition  src/program/key_bindings.cpp @@ return length && (text[0] == ',' || text[length - 1] == ',' || std::strstr(text, ",,")); @@ return length && (text[0] == ',' || std::strstr(text, ",,")); @@ trailing-comma-taken
condition  src/program/key_bindings.cpp @@ if (length < 1 || length > 2 || (length == 2 && text[0] == '0')) @@ if (length < 1 || length > 2) @@ f01-taken
condition  tools/replay/key_script.cpp @@ if (blank && had_comment) @@ if (blank) @@ blank-line-no-pass
delete     tools/replay/key_script.cpp @@ script.runs.back().passes += run.passes; @@  @@ merged-passes-lost
condition  tools/replay/key_script.cpp @@ if (!parse_count(count, run.passes) || run.passes < 1 || run.passes > MAX_REPEAT) { @@ if (!parse_count(count, run.passes) || run.passes > MAX_REPEAT) { @@ zero-repeat-taken
condition  tools/replay/key_script.cpp @@ if (pass >= r.first && pass <= r.last) @@ if (pass >= r.first && pass < r.last) @@ pass-range-end-left-out
delete     tools/replay/key_script.cpp @@ script.total_passes += run.passes; @@  @@ passes-not-counted
condition  tools/replay/replay_run.cpp @@ if (!parse_small_number(argv[++i], 1, 3, mode) || mode == 2) { @@ if (!parse_small_number(argv[++i], 1, 3, mode)) { @@ start-mode-2-taken
condition  tools/replay/replay_run.cpp @@ if (options.warp_level && options.start_mode == 3) { @@ if (options.warp_level && options.start_mode == 4) { @@ warp-in-editor-taken
condition  tools/replay/replay_run.cpp @@ for (int64_t i = 0; i < run.passes && !escaped; ++i) { @@ for (int64_t i = 0; i < run.passes; ++i) { @@ replay-runs-past-escape
delete     tools/levels/level_source.cpp @@ source.enemies.push_back({int16_t(code), int16_t(row), int16_t(column)}); @@  @@ convert-drops-enemies
condition  tools/levels/level_source.cpp @@ if (!runs.empty() && runs.back().row == row && runs.back().last + 2 == column) @@ if (!runs.empty() && runs.back().last + 2 == column) @@ runs-cross-rows
condition  tools/levels/level_source.cpp @@ if (at(marker.place, row, column)) @@ if (!at(marker.place, row, column)) @@ marker-place-inverted
constant   tools/levels/level_source.cpp @@ if (j - i > 1) { @@ if (j - i > 2) { @@ repeated-code-unwarned
constant   tools/levels/levels_tool.cpp @@ if (text.size() != 1 || text[0] < '1' || text[0] > '0' + LEVEL_COUNT) @@ if (text.size() != 1 || text[0] < '0' || text[0] > '0' + LEVEL_COUNT) @@ level-0-taken
constant   tools/levels/level_map.cpp @@ for (int32_t first = 0; first < GRID_COLUMNS; first += WINDOW_COLUMNS) { @@ for (int32_t first = 0; first < GRID_COLUMNS - 1; first += WINDOW_COLUMNS + 1) { @@ map-skips-columns
delete     tools/levels/level_map.cpp @@ std::replace(game.level_grid, game.level_grid + GRID_CELLS, TILE_CURSOR, TILE_EMPTY); @@  @@ map-shows-cursor
condition  tools/levels/route_command.cpp @@ return *end == '\0' && seconds > 0 && seconds <= LONGEST_SECONDS; @@ return *end == '\0' && seconds >= 0 && seconds <= LONGEST_SECONDS; @@ zero-seconds-taken
delete     src/platform/web/soft_frame.cpp @@ to_at -= from_at; @@  @@ web-left-clip-shifts
condition  src/platform/web/soft_frame.cpp @@ source[x] == SHEET_MASK_COLOUR ? target[x] : source[x] @@ source[x] != SHEET_MASK_COLOUR ? target[x] : source[x] @@ web-mask-inverted
constant   src/platform/web/soft_frame.cpp @@ c <= 0x7f ? c : '^' @@ c <= 0x7e ? c : '^' @@ web-last-glyph-lost
delete     src/platform/web/soft_frame.cpp @@ bitmap.clear_owed = true; @@  @@ web-clear-forgotten
condition  src/platform/web/soft_frame.cpp @@ if (!masked && dx == 0 @@ if (dx == 0 @@ web-masked-copy-skips-clear
condition  src/platform/web/soft_frame.cpp @@ width == to.width && height == to.height) @@ width == to.width) @@ web-short-panel-skips-clear
delete     src/platform/web/soft_frame.cpp @@ pay_clear(to);#1 @@  @@ web-copy-on-uncleared-frame
delete     src/platform/web/soft_frame.cpp @@ pay_clear(to);#2 @@  @@ web-text-on-uncleared-frame
delete     src/platform/web/soft_frame.cpp @@ pay_clear(bitmap); @@  @@ web-frame-read-uncleared
constant   src/platform/web/soft_frame.cpp @@ std::max(0, -x) @@ std::max(1, -x) @@ web-text-first-column-lost
constant   src/platform/web/soft_frame.cpp @@ std::min(8, to.height - y) @@ std::min(7, to.height - y) @@ web-text-last-row-lost
delete     src/platform/allegro/allegro_platform.cpp @@ clear_bitmap(back_buffer);#1 @@  @@ desktop-frame-never-cleared
condition  src/platform/allegro/allegro_platform.cpp @@ if (sheets[ASSET_SPRITE_SHEET] && back_buffer) @@ if (!sheets[ASSET_SPRITE_SHEET] && back_buffer) @@ desktop-sprites-unseen
constant   src/platform/allegro/allegro_platform.cpp @@ makecol(255, 80, 80); @@ makecol(255, 80, 81); @@ desktop-notice-colour
EOF
)

# The fast unit tests, in two rounds: the scenario files and the hazard
# table, which catch most faults within a second, then the rest; the slow
# ones (the asset files and their builder, the route finder's time limit)
# are left out.
FIRST_ROUND='Files/*:Hazard*'
SECOND_ROUND='-Files/*:Hazard*:AssetBuilder.*:SoundFiles.*:SpriteSheetFile.*:TitleSheetFile.*:DamagedAssetTest.*:Layers.*:RouteTest.ABottomless*'
SEARCHED=(src tools/levels tools/replay)

only=" $* "
rm -rf "$scratch"
mkdir -p "$scratch"
# The tree as it stands (tracked and new files alike), without build folders.
(cd "$top" && git ls-files -co --exclude-standard -z | grep -zv '^build' |
    xargs -0 cp --parents -t "$scratch") || { echo "cannot copy the tree"; exit 1; }
build="$scratch/build"
# Warnings are no errors here: a deleted statement may leave a variable unused.
cmake -S "$scratch" -B "$build" -G "Unix Makefiles" --compile-no-warning-as-error \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld \
    -DTARNBLAST_BENCHMARKS=OFF -DTARNBLAST_TESTS=ON \
    >"$scratch/cmake.log" 2>&1 || { cat "$scratch/cmake.log"; exit 1; }
# Built twice: the second, empty run gathers the headers each object was
# compiled from, which make's /fast targets below need to see a changed header.
for round in 1 2; do
    cmake --build "$build" -j "$jobs" --target tarnblast_tests >"$scratch/build.log" 2>&1 ||
        { tail -n 30 "$scratch/build.log"; exit 1; }
done
echo "built the scratch copy in $(($(date +%s) - started)) s"

# With a fault in place only the libraries and the test program are rebuilt
# (make's /fast targets skip the dependencies), and the runner for a fault in
# it; the few tests that start the game as a program meet it without the
# fault.
rebuild() {
    local runner=()
    [ "$1" = tools/replay ] && runner=(tarnblast-replay/fast)
    make -C "$build" -j "$jobs" tarnblast_desktop/fast tarnblast_replay_lib/fast \
        tarnblast_levels_lib/fast tarnblast_tests/fast "${runner[@]}" >"$scratch/build.log" 2>&1
}

run_tests() {
    local round
    for round in "$FIRST_ROUND" "$SECOND_ROUND"; do
        (cd "$build" && timeout "$limit" ./tests/tarnblast_tests --gtest_brief=1 --gtest_fail_fast \
            --gtest_filter="$round" >"$scratch/test.log" 2>&1) 2>/dev/null || return 1
    done
}
run_tests || { echo "the unit tests fail without any fault:"; tail -n 30 "$scratch/test.log"; exit 1; }
# The objects as built without a fault: after each fault the ones it rebuilt
# are put back (and touched, so that only the libraries and the test program
# are made again) instead of being compiled once more.
mkdir -p "$scratch/objects"
(cd "$build" && find . -name '*.o' -print0 | xargs -0 cp -p --parents -t "$scratch/objects")
put_back_objects() {
    (cd "$build" && find . -name '*.o' -newer "$scratch/stamp" -print0 |
        while IFS= read -r -d '' object; do
            cp -p "$scratch/objects/$object" "$object" && touch "$object"
        done)
}

# How often the text occurs in a file.
occurrences() { python3 -c 'import sys; print(open(sys.argv[1]).read().count(sys.argv[2]))' "$1" "$2"; }

# The file holding the text (at least N times), starting with the hint.
find_file() {
    local hint=$1 text=$2 nth=$3 file
    if [ -f "$scratch/$hint" ] && [ "$(occurrences "$scratch/$hint" "$text")" -ge "$nth" ]; then
        echo "$scratch/$hint"
        return
    fi
    file=$(cd "$scratch" && grep -rlF -- "$text" "${SEARCHED[@]}" | head -n 2)
    [ -n "$file" ] && [ "$(echo "$file" | wc -l)" = 1 ] &&
        [ "$(occurrences "$scratch/$file" "$text")" -ge "$nth" ] && echo "$scratch/$file"
}

# Replaces the Nth occurrence of the text in the file.
seed() {
    python3 -c '
import sys
path, text, replacement, nth = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
content = open(path).read()
at = -1
for _ in range(nth):
    at = content.find(text, at + 1)
open(path, "w").write(content[:at] + replacement + content[at + len(text):])' "$@"
}

# The folder a fault lies in, as the figures group them.
folder_of() {
    local path=${1#"$scratch"/}
    case $path in
    src/platform/*) path=${path#src/platform/}; echo "platform/${path%%/*}" ;;
    src/*) path=${path#src/}; echo "${path%%/*}" ;;
    tools/*) path=${path#tools/}; echo "tools/${path%%/*}" ;;
    *) echo other ;;
    esac
}

declare -A total_of caught_of
caught=0 survived=0 missing=0 broken=0
tally() {
    total_of[$1]=$((${total_of[$1]:-0} + 1))
    [ "$2" = caught ] && caught_of[$1]=$((${caught_of[$1]:-0} + 1))
}
while IFS= read -r line; do
    [ -n "$line" ] || continue
    kind=${line%% *}; rest=${line#* }; rest=${rest#"${rest%%[! ]*}"}
    hint=${rest%% @@ *}; rest=${rest#* @@ }
    text=${rest%% @@ *}; rest=${rest#* @@ }
    replacement=${rest%% @@ *}; name=${rest#* @@ }
    # A deleted statement leaves an empty one, so that an if keeps its body.
    [ "$kind" = delete ] && [ -z "$replacement" ] && replacement=";"
    nth=1
    [[ $text == *'#'[0-9] ]] && nth=${text##*#} && text=${text%#*}
    [ "$only" = "  " ] || [[ "$only" == *" $name "* ]] || continue
    file=$(find_file "$hint" "$text" "$nth")
    if [ -z "$file" ]; then
        echo "pattern not found  $name"
        missing=$((missing + 1))
        continue
    fi
    folder=$(folder_of "$file")
    cp -p "$file" "$scratch/original"
    touch "$scratch/stamp"
    seed "$file" "$text" "$replacement" "$nth"
    if ! rebuild "$folder"; then
        echo "does not build     $kind $folder $name"
        broken=$((broken + 1))
        result=broken
    elif run_tests; then
        echo "SURVIVED           $kind $folder $name"
        survived=$((survived + 1))
        result=survived
    else
        echo "caught             $kind $folder $name"
        caught=$((caught + 1))
        result=caught
    fi
    tally "kind $kind" "$result"
    tally "folder $folder" "$result"
    cp -p "$scratch/original" "$file"
    put_back_objects
done <<<"$FAULTS"
for key in $(printf '%s\n' "${!total_of[@]}" | sort | tr ' ' '='); do
    key=${key/=/ }
    printf '%-24s %3d caught of %3d\n' "${key/ /: }" "${caught_of[$key]:-0}" "${total_of[$key]}"
done
echo "faults: $caught caught, $survived survived, $missing pattern not found, $broken do not build" \
    "($(($(date +%s) - started)) s)"
[ "$survived" = 0 ] && [ "$missing" = 0 ] && [ "$broken" = 0 ]
exit
}
