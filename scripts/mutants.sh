#!/usr/bin/env bash
# Measures what the tests catch: seeds faults into the game's logic (src/,
# its platforms too) and its tools (tools/levels, tools/replay), one at a
# time, in a scratch copy of the tree, rebuilds there only what the fault
# touches and runs the fast unit tests with the fault in place, or, for the
# desktop's window code, which only a real window runs, the real-window tests
# that drive it. The page's faults run at the same time in a second copy,
# against the browser tests that see them. Each fault is reported as caught,
# SURVIVED, "pattern not found" or "does not build"; then the figures by
# kind, by folder and by suite, and the time taken. Exits 1 unless every
# fault is caught.
#   scripts/mutants.sh                 every fault
#   scripts/mutants.sh NAME...         only the faults with these names
# Environment: MUTANTS_DIR (the scratch folder, default /tmp/tarnblast-mutants-$USER),
# MUTANTS_JOBS (build jobs, default 2), MUTANTS_TIMEOUT (seconds per test run, 120;
# a real-window test gets 300).
# The whole script is one block, read before it runs: editing the file
# meanwhile cannot change a run.
{
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
scratch=${MUTANTS_DIR:-/tmp/tarnblast-mutants-${USER:-$(id -u)}}
jobs=${MUTANTS_JOBS:-2}
limit=${MUTANTS_TIMEOUT:-120}
started=$(date +%s)

# One fault a line: KIND FILE[#N] @@ exact text @@ its replacement @@ name
# [@@ the tests that catch it, for a fault no unit test can see: real-window
# tests by name, browser tests as web:NAME].
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
constant   src/levels/level_file.cpp @@ column < WINDOW_COLUMNS; ++column) { @@ column < WINDOW_COLUMNS - 1; ++column) { @@ anchor-columns-32
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
delete     src/world/player_shots.cpp @@ start_sound(ASSET_SHOT); @@  @@ gun-silent
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
constant   src/levels/level_tables.h @@ return number + 1 > count ? @@ return number + 1 >= count ? @@ level-6-skipped
constant   src/game/main_loop.cpp @@ game.camera_column = 1; @@ game.camera_column = 0; @@ start-camera-column
condition  src/game/main_loop.cpp @@ if (game.camera_column == LEVEL_END_COLUMN && game.game_mode == MODE_PLAY) @@ if (game.camera_column == LEVEL_END_COLUMN) @@ editor-ends-level
delete     src/game/main_loop.cpp @@ normalise_score(); @@  @@ score-never-carries
delete     src/game/world_reset.cpp @@ digit = 0; @@  @@ new-game-keeps-score
constant   src/game/world_scan.h @@ WINDOW_COLUMNS = 33; @@ WINDOW_COLUMNS = 32; @@ scan-32-columns
delete     src/game/world_scan.cpp @@ forget_arc_shot_heights();  // an enemy visit may have moved arc shots @@  @@ stale-arc-shot-heights
condition  src/game/world_scan.cpp @@ if (game.game_mode == MODE_PLAY && camera_relative_code(row, column) == TILE_PLAYER) @@ if (camera_relative_code(row, column) == TILE_PLAYER) @@ editor-runs-player
constant   src/game/title.cpp @@ {301, 499, 0, 0}, @@ {300, 499, 0, 0}, @@ title-no-black-frame
delete     src/game/title.cpp @@ game.game_mode = MODE_PLAY; @@  @@ s-never-plays
condition  src/program/settings.cpp @@ if (value < 0) @@ if (value < -1) @@ scale-with-tail-taken
condition  src/program/settings.cpp @@ if (!*value) { @@ if (false) { @@ empty-level-setting-taken
delete     src/program/action_list.cpp @@ named[size_t(action)] = true; @@  @@ action-given-twice-taken
delete     src/program/key_bindings.cpp @@ bindings = result; @@  @@ own-keys-never-taken
condition  src/program/key_bindings.cpp @@ return length && (text[0] == ',' || text[length - 1] == ',' || std::strstr(text, ",,")); @@ return length && (text[0] == ',' || std::strstr(text, ",,")); @@ trailing-comma-taken
condition  src/program/key_bindings.cpp @@ if (length < 1 || length > 2 || (length == 2 && text[0] == '0')) @@ if (length < 1 || length > 2) @@ f01-taken
condition  src/program/key_script.cpp @@ if (blank && had_comment) @@ if (blank) @@ blank-line-no-pass
delete     src/program/key_script.cpp @@ script.runs.back().passes += run.passes; @@  @@ merged-passes-lost
condition  src/program/key_script.cpp @@ if (!parse_count(count, run.passes) || run.passes < 1 || run.passes > MAX_REPEAT) { @@ if (!parse_count(count, run.passes) || run.passes > MAX_REPEAT) { @@ zero-repeat-taken
condition  src/program/key_script.cpp @@ if (pass >= r.first && pass <= r.last) @@ if (pass >= r.first && pass < r.last) @@ pass-range-end-left-out
delete     src/program/key_script.cpp @@ script.total_passes += run.passes; @@  @@ passes-not-counted
condition  src/game/main_loop.cpp @@ if (mode != MODE_TITLE && mode != MODE_EDITOR) @@ if (mode < MODE_TITLE) @@ start-mode-2-taken
condition  tools/replay/replay_run.cpp @@ if (options.warp_level && options.start_mode == 3) { @@ if (options.warp_level && options.start_mode == 4) { @@ warp-in-editor-taken
condition  tools/replay/replay_run.cpp @@ while (!escaped && player.next_pass(keys)) { @@ while (player.next_pass(keys)) { @@ replay-runs-past-escape
condition  src/program/key_script.cpp @@ while (run_ < script_->runs.size() && pass_in_run_ >= script_->runs[run_].passes) { @@ while (run_ < script_->runs.size() && pass_in_run_ > script_->runs[run_].passes) { @@ script-line-one-pass-long
constant   src/game/title.cpp @@ std::strlen(text), 1, LEVEL_COUNT) @@ std::strlen(text), 1, LEVEL_COUNT - 1) @@ warp-to-last-level-refused
constant   src/program/gamepad.cpp @@ left = left || stick.x * 4 < -PAD_AXIS_FULL; @@ left = left || stick.x * 3 < -PAD_AXIS_FULL; @@ pad-left-at-a-third
constant   src/program/gamepad.cpp @@ right = right || stick.x * 4 > PAD_AXIS_FULL; @@ right = right || stick.x * 4 >= PAD_AXIS_FULL + 4; @@ pad-right-past-a-quarter
condition  src/program/gamepad.cpp @@ if (sticks > 0 && pad.stick[0].axes >= 2) @@ if (sticks > 0) @@ pad-trigger-walks
condition  src/program/gamepad.cpp @@ row.dpad_is_last_stick && s > 0 @@ s > 0 @@ pad-right-stick-walks
delete     src/program/gamepad.cpp @@ break; @@  @@ pad-every-stick-walks
constant   src/program/gamepad.h @@ {PAD_STANDARD_MAPPING, false, 12, {0, 1, 9}}, @@ {PAD_STANDARD_MAPPING, false, 11, {0, 1, 9}}, @@ pad-dpad-buttons-shifted
constant   src/program/gamepad.cpp @@ PadButtons result = buttons; @@ PadButtons result = PAD_LAYOUTS[0].buttons; @@ pad-list-over-desktop-buttons
delete     tools/levels/level_source.cpp @@ source.enemies.push_back({int16_t(code), int16_t(row), int16_t(column)}); @@  @@ convert-drops-enemies
condition  tools/levels/level_source.cpp @@ if (!runs.empty() && runs.back().row == row && runs.back().last + 2 == column) @@ if (!runs.empty() && runs.back().last + 2 == column) @@ runs-cross-rows
condition  tools/levels/level_source.cpp @@ if (at(marker.place, row, column)) @@ if (!at(marker.place, row, column)) @@ marker-place-inverted
constant   tools/levels/level_source.cpp @@ if (j - i > 1) { @@ if (j - i > 2) { @@ repeated-code-unwarned
constant   tools/levels/levels_tool.cpp @@ text.size(), 1, LEVEL_COUNT); @@ text.size(), 1, LEVEL_COUNT + 1); @@ level-7-taken
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
constant   src/platform/web/soft_frame.cpp @@ std::min(FONT_SIZE, to.height - y) @@ std::min(FONT_SIZE - 1, to.height - y) @@ web-text-last-row-lost
delete     src/platform/allegro/allegro_platform.cpp @@ clear_bitmap(back_buffer);#1 @@  @@ desktop-frame-never-cleared
condition  src/platform/allegro/allegro_platform.cpp @@ if (sheets[ASSET_SPRITE_SHEET] && back_buffer) @@ if (!sheets[ASSET_SPRITE_SHEET] && back_buffer) @@ desktop-sprites-unseen
constant   src/platform/allegro/allegro_platform.cpp @@ makecol(255, 80, 80); @@ makecol(255, 80, 81); @@ desktop-notice-colour
constant   src/world/sprite_atlas.h @@ {{40, 0, 20, 32}, {60, 0, 20, 32}},  // facing left @@ {{60, 0, 20, 32}, {40, 0, 20, 32}},  // facing left @@ atlas-left-frames-swapped
constant   src/world/sprite_atlas.h @@ {{291, 0, 20, 32}, {311, 0, 20, 32}},  // walking right @@ {{291, 0, 20, 32}, {291, 0, 20, 32}},  // walking right @@ atlas-c-one-right-frame
constant   src/world/sprite_atlas.h @@ {103, 35, 32, 32},  // 4: the flash again @@ {139, 35, 32, 32},  // 4: the flash again @@ atlas-explosion-4
constant   src/world/sprite_atlas.cpp @@ if (frame >= 1 && frame <= 3) @@ if (frame >= 1 && frame <= 2) @@ wreck-frame-3-unseen
constant   src/game/title.cpp @@ {501, 699, 320, 0}, @@ {500, 699, 320, 0}, @@ title-no-black-at-500
constant   src/game/title.cpp @@ {701, 899, 0, 200}, @@ {701, 900, 0, 200}, @@ title-no-black-at-900
constant   src/enemies/group_a.cpp @@ walk(enemy, -1, ENEMY_RIGHT); @@ walk(enemy, 1, ENEMY_RIGHT); @@ a-walks-right-first
constant   src/enemies/group_a.cpp @@ if (enemy.anim_frame > 2) @@ if (enemy.anim_frame > 3) @@ a-third-frame
constant   src/enemies/group_c.cpp @@ walk(enemy, -1, ENEMY_RIGHT); @@ walk(enemy, 1, ENEMY_RIGHT); @@ c-walks-right-first
constant   src/enemies/group_c.cpp @@ if (enemy.anim_frame > 2) @@ if (enemy.anim_frame > 3) @@ c-third-frame
delete     src/enemies/group_c.cpp @@ step_animation(enemy); @@  @@ c-frame-stands
constant   src/enemies/enemy_shots.cpp @@ FLIGHT_FLOOR = 180; @@ FLIGHT_FLOOR = 181; @@ flight-floor
constant   src/enemies/enemy_shots.cpp @@ STRAIGHT_DROP = 15; @@ STRAIGHT_DROP = 16; @@ straight-shot-drop
constant   src/enemies/enemy_shots.cpp @@ RISING_TOP = 5; @@ RISING_TOP = 6; @@ rising-shot-top
constant   src/enemies/enemy_shots.cpp @@ shot.y = wrap_add(shot.y, 1);#2 @@ shot.y = wrap_add(shot.y, 0); @@ arc-never-falls
constant   src/world/blocks.cpp @@ DROP_REACH = 12; @@ DROP_REACH = 13; @@ drop-reaches-higher
constant   src/world/blocks.cpp @@ DROP_ABOVE = 28; @@ DROP_ABOVE = 27; @@ drop-reaches-less-below
condition  src/world/blocks.cpp @@ if (game.game_mode == MODE_EDITOR) @@ if (game.game_mode != MODE_EDITOR) @@ drop-drawn-in-play
constant   src/enemies/enemy_groups.cpp @@ draw_enemy_c(ENEMY_LEFT, 1, x, y); @@ draw_enemy_c(ENEMY_RIGHT, 1, x, y); @@ c-preview-faces-right
constant   src/enemies/enemy_groups.cpp @@ draw_sprite_rect(ATLAS_ENEMY_B, x, y); @@ draw_sprite_rect(ATLAS_ENEMY_D, x, y); @@ b-preview-shows-d
constant   src/game/main_loop.cpp @@ {CONTROL_LEFT, MODE_EDITOR, editor_cursor_left}, @@ {CONTROL_S, MODE_TITLE, start_game}, {CONTROL_LEFT, MODE_EDITOR, editor_cursor_left}, @@ s-before-play-keys
constant   src/game/main_loop.cpp @@ {CONTROL_LEFT, MODE_PLAY, walk_left}, @@ {CONTROL_SPACE, MODE_PLAY, fire}, {CONTROL_LEFT, MODE_PLAY, walk_left}, @@ fire-before-walk
constant   src/levels/level_tables.cpp @@ {61, 8, 102}, @@ {61, 8, 103}, @@ level-2-enemy-moved
constant   src/levels/level_tables.cpp @@ {8, 52}, {8, 67}, @@ {8, 52}, {8, 66}, @@ level-2-drop-moved
condition  src/levels/level_pack.cpp @@ else if (files.size() > size_t(LEVEL_PACK_MAX_FILES)) @@ else if (files.size() >= size_t(LEVEL_PACK_MAX_FILES)) @@ pack-of-64-refused
constant   src/levels/level_pack.cpp @@ (pack_file + 1) % opened_files @@ (pack_file + 2) % opened_files @@ pack-skips-a-file
condition  src/levels/level_link.cpp @@ if (crc32_of(bytes, body) != check) @@ if (crc32_of(bytes, body) == check) @@ link-check-inverted
delete     src/levels/level_link.cpp @@ put_number(empty, out);#2 @@  @@ link-loses-last-run
constant   src/levels/level_link.cpp @@ if (shift == 28 && (byte & 0x70)) @@ if (shift == 28 && (byte & 0x60)) @@ link-number-past-32-bits
condition  src/levels/level_link.cpp @@ || value == 0) @@ ) @@ link-takes-empty-value
constant   src/levels/level_link.cpp @@ constexpr uint8_t PACKED_FORM = 1; @@ constexpr uint8_t PACKED_FORM = 2; @@ link-form-moved
delete     src/program/program.cpp @@ draw_pause_notice(); @@  @@ pause-unmarked
condition  src/base/physical_keys.cpp @@ if (value < run.first || value > run.last) @@ if (value > run.last) @@ key-below-run-taken
condition  src/levels/level_pack.cpp @@ if (is_level_link(path)) @@ if (!is_level_link(path)) @@ link-read-as-file
condition  src/platform/allegro/raw_deflate.cpp @@ && out.size() <= limit; @@ ; @@ inflate-past-limit
condition  src/levels/level_pack.cpp @@ if (!is_level_link(link) || !packed || @@ if (!is_level_link(link) || @@ page-inflation-failure-read
delete     src/levels/level_pack.cpp @@ opened_link = link; @@  @@ link-not-kept
condition  src/levels/level_pack.cpp @@ if (opened_folder && start_mode == MODE_EDITOR) { @@ if (opened_folder && start_mode != MODE_EDITOR) { @@ folder-edited-after-switch
constant   src/levels/level_pack.cpp @@ check_level_export(text, level_uses(start_mode), grid); @@ check_level_export(text, level_uses(MODE_EDITOR), grid); @@ switch-checks-for-editor
condition  src/program/level_changes.cpp @@ if (game.game_mode == MODE_EDITOR) @@ if (game.game_mode != MODE_EDITOR) @@ changes-of-the-wrong-level
delete     src/program/level_changes.cpp @@ write_pack_file_cells(0, grid.data()); @@  @@ play-test-changes-forgotten
condition  src/program/level_changes.cpp @@ return cells_to_edit() != kept_cells; @@ return cells_to_edit() == kept_cells; @@ changes-inverted
condition  tools/levels/link_commands.cpp @@ if (page.empty() || page.find('#') != std::string::npos) { @@ if (page.empty()) { @@ link-page-with-fragment
constant   src/program/settings.cpp @@ desktop_width * 3 / 4, @@ desktop_width * 2 / 3, @@ auto-scale-two-thirds
delete     src/program/recorder.cpp @@ recorded_bytes += off_t(length); @@  @@ full-disk-cuts-everything
condition  src/program/recorder.cpp @@ if (!level_pack_open()) @@ if (level_pack_open()) @@ level-line-inverted
condition  src/program/recorder.cpp @@ : level_pack_is_folder() ? "pack" @@ : !level_pack_is_folder() ? "pack" @@ pack-called-file
condition  src/program/program.cpp @@ if (goes_on && (pressed & CONTROL_PAUSE_BIT) && game.game_mode == MODE_PLAY) @@ if (goes_on && (pressed & CONTROL_PAUSE_BIT)) @@ pause-on-title
delete     src/program/program.cpp @@ previous_controls = controls; @@  @@ held-p-toggles
condition  src/program/program.cpp @@ if (controls & KEY_SET_ESC) @@ if (controls & KEY_SET_ESC && false) @@ escape-kept-while-paused
delete     src/program/program.cpp @@ pause_program(false); @@  @@ pause-for-good
condition  src/program/gamepad.cpp @@ game_mode == MODE_EDITOR ? CONTROL_ENTER : CONTROL_UP @@ game_mode != MODE_EDITOR ? CONTROL_ENTER : CONTROL_UP @@ pad-jump-places-in-play
delete     src/program/gamepad.cpp @@ hold(down, CONTROL_DOWN); @@  @@ pad-down-lost
constant   src/program/gamepad.cpp @@ parse_small_number(value, length, 0, PAD_BUTTON_COUNT - 1); @@ parse_small_number(value, length, 0, PAD_BUTTON_COUNT); @@ pad-button-32-taken
condition  src/program/gamepad.cpp @@ if (result.*a.button == result.*b->button) { @@ if (result.*a.button != result.*b->button) { @@ pad-shared-button-test-inverted
delete     tools/levels/route_search.cpp @@ moves.push_back(history_[step][size_t(parent)].move); @@  @@ route-loses-its-moves
condition  tools/levels/route_search.cpp @@ if (game.level_number != level) @@ if (game.level_number == level) @@ route-ends-at-once
delete     tools/levels/route_search.cpp @@ keys.push_back(0); @@  @@ route-one-pass-short
condition  src/platform/allegro/desktop_pad.cpp @@ stick.num_axis > 1 ? stick.axis[1].pos : 0 @@ stick.num_axis > 2 ? stick.axis[1].pos : 0 @@ desktop-pad-down-lost
constant   src/platform/allegro/desktop_pad.cpp @@ pad.num_sticks < MAX_JOYSTICK_STICKS ? pad.num_sticks : @@ pad.num_sticks < MAX_JOYSTICK_STICKS ? pad.num_sticks - 1 : @@ desktop-dpad-unseen
constant   src/platform/allegro/desktop_pad.cpp @@ for (int b = 0; b < pad.num_buttons @@ for (int b = 1; b < pad.num_buttons @@ desktop-pad-button-0-lost
delete     src/platform/allegro/display_loss.cpp @@ write_all(STDERR_FILENO, message, sizeof message - 1); @@  @@ display-loss-untold
constant   src/platform/allegro/display_loss.cpp @@ _exit(1); @@ _exit(2); @@ display-loss-exit-code
condition  src/platform/allegro/display_loss.cpp @@ if (library_reason && *library_reason) @@ if (library_reason) @@ empty-start-reason-told
constant   src/platform/allegro/scaled_copy.cpp @@ widen_row<1>, widen_row<2>, widen_row<3>, @@ widen_row<1>, widen_row<1>, widen_row<3>, @@ scale-2-drawn-at-1
condition  src/platform/allegro/scaled_copy.cpp @@ return std::memcmp(frame->line[y], shown->line[y], row_bytes) != 0; @@ return std::memcmp(frame->line[y], shown->line[y], row_bytes) == 0; @@ unchanged-rows-sent
constant   src/platform/allegro/scaled_copy.cpp @@ for (int32_t k = 0; k < SCALE; ++k) @@ for (int32_t k = 1; k < SCALE; ++k) @@ pixels-repeated-once-less
condition  src/base/sound.cpp @@ else if (!sound_muted) @@ else @@ muted-gun-sounds @@ comforts
delete     src/platform/web/page.js @@ if (!replayName) readPads(); @@  @@ web-pads-unread @@ web:pads
condition  src/platform/web/web_platform.cpp @@ return axis >= -1 && axis <= 1 @@ return axis > -1 && axis <= 1 @@ web-stick-end-dropped @@ web:pads
constant   src/platform/web/page.js @@ const ratio = devicePixelRatio || 1, @@ const ratio = 1, @@ web-scale-in-css-pixels @@ web:touch
delete     src/platform/web/page_main.cpp @@ pause_program(true);#1 @@  @@ web-hidden-tab-plays-on @@ web:keys
condition  src/platform/web/page.js @@ if (exportWrites === writes || ended) offerExport(); @@ if (ended) offerExport(); @@ web-export-held-back @@ web:export
constant   src/platform/web/page.js @@ const PASS_MS = 1000 / 70, @@ const PASS_MS = 1000 / 71, @@ web-pace-71 @@ web:pace
delete     src/platform/web/page.js @@ game.keepLevel(); @@  @@ web-export-not-kept @@ web:designer
delete     src/platform/web/page.js @@ for (const name of before) if (!now.has(name)) game.touch(name, 0); @@  @@ web-touch-never-let-go @@ web:touch
constant   src/base/short_text.cpp @@ (length == 2 && text[0] == '0') @@ (length == 2 && text[0] == '1') @@ small-number-leading-zero-taken
condition  src/base/short_text.cpp @@ return std::strlen(wanted) == length && strncasecmp @@ return strncasecmp @@ same-name-prefix-taken
constant   src/enemies/start_explosion.cpp @@ shot.explosion_frame = 1; @@ shot.explosion_frame = 2; @@ explosion-starts-on-frame-2
delete     src/enemies/enemy_tables.cpp @@ enemy.falling = FLAG_SET; @@  @@ enemies-start-standing
constant   src/game/hud.cpp @@ draw_text(text, 56 + 10 * (i - 1), 0, TEXT_WHITE); @@ draw_text(text, 56 + 10 * i, 0, TEXT_WHITE); @@ hud-digits-shifted
condition  src/game/hud.cpp @@ if (game.game_mode != MODE_EDITOR || game.export_notice <= 0) @@ if (game.game_mode != MODE_EDITOR || game.export_notice < 0) @@ failure-line-stays
constant   src/levels/level_disk.cpp @@ LARGEST_LEVEL_FILE = 1 << 20; @@ LARGEST_LEVEL_FILE = 1 << 10; @@ level-files-over-1k-refused
condition  src/levels/level_disk.cpp @@ name.compare(name.size() - 4, 4, ".txt") == 0 @@ name.compare(name.size() - 4, 4, ".txt") != 0 @@ pack-takes-other-files
delete     src/base/write_all.cpp @@ *slash = '\0'; @@  @@ folders-made-whole
condition  src/program/key_help.cpp @@ if (help.mode != 0 && help.mode != start_mode) @@ if (help.mode != 0 && help.mode == start_mode) @@ key-help-of-other-mode
constant   src/program/key_help.cpp @@ return "F" + std::to_string(key - PKEY_F1 + 1); @@ return "F" + std::to_string(key - PKEY_F1); @@ key-help-f-numbers-off
condition  src/program/command_line.cpp @@ if (argc == 2 && help) { @@ if (help) { @@ help-with-more-arguments
delete     tools/replay/state_trace.cpp @@ {"fire_timer", &EnemySlot::fire_timer}, @@ /* row gone */ @@ trace-without-fire-timer
constant   src/base/bmp_file.cpp @@ out += char(row[x] >> 16 & 0xff); @@ out += char(row[x] >> 17 & 0xff); @@ bmp-red-halved
condition  src/platform/web/sound_worker.js @@ if (!name.startsWith('.')) @@ if (name.startsWith('.')) @@ web-samples-not-sent @@ web:keys
delete     src/platform/web/page_library.js @@ if (Module['tbFileWritten']) Module['tbFileWritten'](UTF8ToString(path)); @@  @@ web-writes-unseen @@ web:export
delete     src/platform/web/service-worker.js @@ await Promise.all(files.map(([name, response]) => cache.put(name, response))); @@  @@ web-build-not-kept @@ web:offline
delete     src/platform/web/page.js @@ addEventListener('blur', () => game && releaseKeys()); @@  @@ web-blur-keeps-keys @@ web:keys
delete     src/platform/web/page.js @@ for (const code of heldKeys) game.key(code, 0); @@  @@ web-release-forgets-game @@ web:keys
delete     src/platform/web/page_main.cpp @@ web_release_keys();#1 @@  @@ web-hidden-tab-keeps-keys @@ web:keys
constant   src/platform/web/page.js @@ MAX_PASSES_PER_FRAME = 4; @@ MAX_PASSES_PER_FRAME = 5; @@ web-five-passes-a-frame @@ web:pace
delete     src/platform/web/page.js @@ window.tarnblastDropped += due - MAX_PASSES_PER_FRAME; @@  @@ web-stall-uncounted @@ web:pace
condition  src/platform/web/page.js @@ const path = files.length === 1 ? @@ const path = files.length >= 1 ? @@ web-pack-of-one @@ web:pack
condition  src/platform/web/page.js @@ name === 'level' ? await fetchToFS(value) : value @@ name !== 'level' ? await fetchToFS(value) : value @@ web-level-not-fetched @@ web:replays
condition  src/base/sound.cpp @@ else if (!sound_muted) @@ else @@ muted-effects-heard @@ web:mute
EOF
)

# The fast unit tests, in two rounds: the scenario files and the hazard
# table, which catch most faults within a second, then the rest; the slow
# ones (the asset files and their builder, the layers) are left out.
FIRST_ROUND='Files/*:Hazard*'
SECOND_ROUND='-Files/*:Hazard*:AssetBuilder.*:SpriteSheetFile.*:TitleSheetFile.*:DamagedAssetTest.*:Layers.*'
SEARCHED=(src tools/levels tools/replay)

# The real-window tests (tests/window/NAME.sh) that catch faults in the
# window code; every other file's faults go to the unit tests unless their
# line names tests.
window_tests_of() {
    case $1 in
    */platform/allegro/desktop_pad.cpp) echo comforts ;;
    */platform/allegro/display_loss.cpp) echo no_display display_loss ;;
    */platform/allegro/scaled_copy.cpp) echo scaled_window ;;
    esac
}

only=" $* "
rm -rf "$scratch"
mkdir -p "$scratch/page"
# The tree as it stands (tracked and new files alike), without build folders:
# one copy for the unit and window tests, one for the page, so that the two
# run side by side, each seeding its own copy.
(cd "$top" && git ls-files -co --exclude-standard -z | grep -zv '^build' |
    xargs -0 cp --parents -t "$scratch") || { echo "cannot copy the tree"; exit 1; }
(cd "$top" && git ls-files -co --exclude-standard -z | grep -zv '^build' |
    xargs -0 cp --parents -t "$scratch/page") || { echo "cannot copy the tree"; exit 1; }
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
# A fault in the window code rebuilds the game itself, which a real-window
# test starts, and so does one in its command line, which only the game as a
# program answers.
game_only() { [[ $1 == */program/command_line.cpp ]]; }
rebuild() {
    local programs=()
    [ "$1" = tools/replay ] && programs=(tarnblast-replay/fast)
    { [ -n "$2" ] || game_only "$3"; } && programs=(tarnblast/fast)
    make -C "$build" -j "$jobs" tarnblast_desktop/fast tarnblast_replay_lib/fast \
        tarnblast_levels_lib/fast tarnblast_tests/fast "${programs[@]}" >"$tree/build.log" 2>&1
}

# The page, built from its own copy of the tree, and the browser tests by
# name. The desktop build of the tree itself, when there is one, gives the
# page its data and the runners it is held to; otherwise the page's copy
# makes its own (web.sh does).
web_build="$scratch/page/build-web"
native_build="$scratch/page/build"
[ -x "$top/build/tarnblast-replay" ] && native_build="$top/build"
build_page() {
    WEB_NATIVE_BUILD="$native_build" "$tree/scripts/web.sh" build "$web_build" >"$tree/web-build.log" 2>&1
}
run_web_tests() {
    local name
    for name in "$@"; do
        timeout 300 "$tree/tests/web/run.sh" "$web_build" "$native_build" --only "${name#web:}" \
            >"$tree/test.log" 2>&1 || return 1
    done
}

run_window_tests() {
    local name
    for name in "$@"; do
        (cd "$build" && timeout 300 bash "$tree/tests/window/$name.sh" ./tarnblast \
            ./tarnblast-replay >"$tree/test.log" 2>&1) || return 1
    done
}

run_tests() {
    local round
    [ $# = 0 ] || [[ $1 == web:* ]] || { run_window_tests "$@"; return; }
    [ $# = 0 ] || { run_web_tests "$@"; return; }
    for round in "$FIRST_ROUND" "$SECOND_ROUND"; do
        (cd "$build" && timeout "$limit" ./tests/tarnblast_tests --gtest_brief=1 --gtest_fail_fast \
            --gtest_filter="$round" >"$tree/test.log" 2>&1) 2>/dev/null || return 1
    done
}
tree=$scratch
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
    if [ -f "$tree/$hint" ] && [ "$(occurrences "$tree/$hint" "$text")" -ge "$nth" ]; then
        echo "$tree/$hint"
        return
    fi
    file=$(cd "$tree" && grep -rlF -- "$text" "${SEARCHED[@]}" | head -n 2)
    [ -n "$file" ] && [ "$(echo "$file" | wc -l)" = 1 ] &&
        [ "$(occurrences "$tree/$file" "$text")" -ge "$nth" ] && echo "$tree/$file"
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
    local path=${1#"$tree"/}
    case $path in
    src/platform/*) path=${path#src/platform/}; echo "platform/${path%%/*}" ;;
    src/*) path=${path#src/}; echo "${path%%/*}" ;;
    tools/*) path=${path#tools/}; echo "tools/${path%%/*}" ;;
    *) echo other ;;
    esac
}

# One fault: seeded, built, tested and taken out again. Its line goes to the
# output, and "RESULT KIND FOLDER SUITE" to the results.
results="$scratch/results"
: >"$results"
declare -A window_passed
try_fault() {
    local line=$1 kind rest hint text replacement name named_tests nth file folder web suite result
    kind=${line%% *}; rest=${line#* }; rest=${rest#"${rest%%[! ]*}"}
    hint=${rest%% @@ *}; rest=${rest#* @@ }
    text=${rest%% @@ *}; rest=${rest#* @@ }
    replacement=${rest%% @@ *}; name=${rest#* @@ }
    named_tests=""
    [[ $name == *' @@ '* ]] && named_tests=${name#* @@ } && name=${name%% @@ *}
    # A deleted statement leaves an empty one, so that an if keeps its body.
    [ "$kind" = delete ] && [ -z "$replacement" ] && replacement=";"
    nth=1
    [[ $text == *'#'[0-9] ]] && nth=${text##*#} && text=${text%#*}
    file=$(find_file "$hint" "$text" "$nth")
    if [ -z "$file" ]; then
        echo "pattern not found  $name"
        echo "missing" >>"$results"
        return
    fi
    folder=$(folder_of "$file")
    read -ra suite <<<"${named_tests:-$(window_tests_of "$file")}"
    web=""
    [[ ${suite[0]:-} == web:* ]] && web=1
    [ -n "$web" ] && [ ! -e "$tree/tests/web/node_modules" ] && [ -d "$top/tests/web/node_modules" ] &&
        ln -s "$top/tests/web/node_modules" "$tree/tests/web/"
    # The window and browser tests must pass without a fault before they can
    # catch one. The page is made without a fault only for them: otherwise
    # the file of the last fault, as it was again, is compiled with the next.
    local named
    for named in "${suite[@]}"; do
        [ -n "${window_passed[$named]:-}" ] && continue
        [ -z "$web" ] || build_page ||
            { echo "cannot build the page:"; tail -n 30 "$tree/web-build.log"; return 1; }
        run_tests "$named" || { echo "the test $named fails without any fault:"
            tail -n 30 "$tree/test.log"; return 1; }
        window_passed[$named]=1
    done
    cp -p "$file" "$tree/original"
    touch "$tree/stamp"
    seed "$file" "$text" "$replacement" "$nth"
    if [ -n "$web" ] && ! build_page; then
        result=broken
    elif [ -z "$web" ] && ! rebuild "$folder" "${suite[*]}" "$file"; then
        result=broken
    elif run_tests "${suite[@]}"; then
        result=survived
    else
        result=caught
    fi
    case $result in
    broken) echo "does not build     $kind $folder $name" ;;
    survived) echo "SURVIVED           $kind $folder $name" ;;
    caught) echo "caught             $kind $folder $name" ;;
    esac
    echo "$result $kind $folder $([ ${#suite[@]} = 0 ] && echo unit || { [ -n "$web" ] && echo web; } || echo window)" \
        >>"$results"
    cp -p "$tree/original" "$file"
    if [ -n "$web" ]; then
        touch "$file"  # newer than the page's object made with the fault
        return
    fi
    put_back_objects
    { [ ${#suite[@]} = 0 ] && ! game_only "$file"; } || rebuild "$folder" relink ||
        { echo "cannot rebuild the game"; return 1; }
}

# The faults asked for, in two streams that run side by side: the page's
# (browser tests) in its copy, all others in the first.
chosen=$(while IFS= read -r line; do
    [ -n "$line" ] || continue
    name=${line#*@@*@@*@@ }; name=${name%% @@*}
    [ "$only" = "  " ] || [[ "$only" == *" $name "* ]] && echo "$line"
done <<<"$FAULTS")
stream() {
    local line
    while IFS= read -r line; do
        try_fault "$line" || { echo "stopped" >>"$results"; return 1; }
    done
}
tree="$scratch/page"
grep ' @@ web:' <<<"$chosen" | stream &
page_stream=$!
tree=$scratch
grep -v ' @@ web:' <<<"$chosen" | stream
wait "$page_stream"

summary() {
    awk -v what="$1" -v field="$2" '$1 != "missing" && $1 != "stopped" {
        key = what " " $field; total[key]++; if ($1 == "caught") caught[key]++ }
        END { for (key in total) printf "%-24s %3d caught of %3d\n", key ":", caught[key], total[key] }' \
        "$results" | sort
}
summary kind 2
summary folder 3
summary suite 4
count() { grep -c "^$1" "$results"; }
echo "faults: $(count caught) caught, $(count survived) survived, $(count missing) pattern not found," \
    "$(count broken) do not build ($(($(date +%s) - started)) s)"
[ "$(count caught)" = "$(grep -c . "$results")" ]
exit
}
