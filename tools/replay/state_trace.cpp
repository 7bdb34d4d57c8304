#include "state_trace.h"

#include <cstdlib>
#include <cstring>

#include "base/game_state.h"
#include "base/sound.h"
#include "enemies/enemy_groups.h"

namespace {

struct ScalarField {
    const char* name;
    int32_t* value;
};
const ScalarField SCALARS[] = {
    {"game_mode", &game.game_mode},
    {"start_mode", &game.start_mode},
    {"level_number", &game.level_number},
    {"level_count", &game.level_count},
    {"title_timer", &game.title_timer},
    {"camera_x", &game.camera_x},
    {"camera_column", &game.camera_column},
    {"player_x", &game.player_x},
    {"player_y", &game.player_y},
    {"player_offset_y", &game.player_offset_y},
    {"player_facing", &game.player_facing},
    {"player_frame", &game.player_frame},
    {"player_jumping", &game.player_jumping},
    {"player_falling", &game.player_falling},
    {"jump_counter", &game.jump_counter},
    {"move_counter", &game.move_counter},
    {"fire_counter", &game.fire_counter},
    {"next_shot_slot", &game.next_shot_slot},
    {"block_x", &game.block_x},
    {"block_y", &game.block_y},
    {"drop_x", &game.drop_x},
    {"drop_y", &game.drop_y},
    {"cursor_dx", &game.cursor_dx},
    {"cursor_dy", &game.cursor_dy},
    {"brush", &game.brush},
    {"place_request", &game.place_request},
    {"placement_armed", &game.placement_armed},
    {"editor_repeat", &game.editor_repeat},
    {"target_row", &game.target_row},
    {"target_column", &game.target_column},
    {nullptr, nullptr},  // here each enemy group's next code, in table order
    {"second_scroll_x", &game.second_scroll_x},
    {"second_scroll_column", &game.second_scroll_column},
};

struct ArrayField {
    const char* name;
    int32_t* values;
    int count;
};
const ArrayField ARRAYS[] = {
    {"score_digits", game.score_digits, SCORE_DIGITS},
    {"shot_active", game.shot_active, PLAYER_SHOT_SLOTS},
    {"shot_x", game.shot_x, PLAYER_SHOT_SLOTS},
    {"shot_y", game.shot_y, PLAYER_SHOT_SLOTS},
    {"shot_direction", game.shot_direction, PLAYER_SHOT_SLOTS},
};

template <typename Record>
struct RecordField {
    const char* name;
    int32_t Record::*member;
};
const RecordField<EnemySlot> ENEMY_FIELDS[] = {
    {"fire_timer", &EnemySlot::fire_timer}, {"anim_frame", &EnemySlot::anim_frame},
    {"anim_timer", &EnemySlot::anim_timer}, {"direction", &EnemySlot::direction},
    {"offset_x", &EnemySlot::offset_x},     {"offset_y", &EnemySlot::offset_y},
    {"screen_x", &EnemySlot::screen_x},     {"screen_y", &EnemySlot::screen_y},
    {"falling", &EnemySlot::falling},       {"alive", &EnemySlot::alive},
    {"dying", &EnemySlot::dying},           {"dying_x", &EnemySlot::dying_x},
    {"dying_y", &EnemySlot::dying_y},       {"dying_frame", &EnemySlot::dying_frame},
    {"next_shot", &EnemySlot::next_shot},
};
const RecordField<EnemyShot> SHOT_FIELDS[] = {
    {"flying", &EnemyShot::flying},
    {"x", &EnemyShot::x},
    {"y", &EnemyShot::y},
    {"shift", &EnemyShot::shift},
    {"flight_timer", &EnemyShot::flight_timer},
    {"direction", &EnemyShot::direction},
    {"explosion_state", &EnemyShot::explosion_state},
    {"explosion_x", &EnemyShot::explosion_x},
    {"explosion_y", &EnemyShot::explosion_y},
    {"explosion_shift", &EnemyShot::explosion_shift},
    {"explosion_frame", &EnemyShot::explosion_frame},
    {"explosion_timer", &EnemyShot::explosion_timer},
};

template <typename Record, int N>
void write_record(std::FILE* out, const Record& record, const RecordField<Record> (&fields)[N])
{
    for (int i = 0; i < N; ++i)
        std::fprintf(out, "%s\"%s\":%d", i ? "," : "", fields[i].name,
                     int(record.*(fields[i].member)));
}

void write_enemy(std::FILE* out, const EnemySlot& enemy)
{
    std::fputc('{', out);
    write_record(out, enemy, ENEMY_FIELDS);
    std::fputs(",\"shots\":[", out);
    for (int k = 0; k < ENEMY_SHOTS; ++k) {
        std::fputs(k ? ",{" : "{", out);
        write_record(out, enemy.shots[k], SHOT_FIELDS);
        std::fputc('}', out);
    }
    std::fputs("]}", out);
}

// "name[index]" at the start of text: the index, and text moved past it.
bool take_index(const char*& text, const char* name, int count, int& index)
{
    const size_t length = std::strlen(name);
    if (std::strncmp(text, name, length) != 0 || text[length] != '[')
        return false;
    char* end = nullptr;
    const long value = std::strtol(text + length + 1, &end, 10);
    if (end == text + length + 1 || *end != ']' || value < 0 || value >= count)
        return false;
    index = int(value);
    text = end + 1;
    return true;
}

template <typename Record, int N>
int32_t* record_field(Record& record, const char* name, const RecordField<Record> (&fields)[N])
{
    for (int i = 0; i < N; ++i)
        if (std::strcmp(name, fields[i].name) == 0)
            return &(record.*(fields[i].member));
    return nullptr;
}

}  // namespace

int32_t* find_state_field(const char* name)
{
    for (const ScalarField& field : SCALARS)
        if (field.name && std::strcmp(name, field.name) == 0)
            return field.value;
    for (const EnemyGroupRow& group : ENEMY_GROUPS)
        if (std::strcmp(name, group.next_code_trace_name) == 0)
            return &(game.*group.next_code);
    int index = 0;
    for (const ArrayField& field : ARRAYS) {
        const char* rest = name;
        if (take_index(rest, field.name, field.count, index) && *rest == '\0')
            return &field.values[index];
    }
    for (const EnemyGroupRow& group : ENEMY_GROUPS) {
        const char* rest = name;
        if (!take_index(rest, group.trace_name, ENEMY_SLOTS, index) || *rest++ != '.')
            continue;
        EnemySlot& enemy = group.slots[index];
        int shot = 0;
        if (take_index(rest, "shots", ENEMY_SHOTS, shot))
            return *rest == '.' ? record_field(enemy.shots[shot], rest + 1, SHOT_FIELDS) : nullptr;
        return record_field(enemy, rest, ENEMY_FIELDS);
    }
    return nullptr;
}

void write_state_trace(std::FILE* out, int64_t frame)
{
    std::fprintf(out, "{\"frame\":%lld", static_cast<long long>(frame));
    for (const ScalarField& field : SCALARS) {
        if (field.name) {
            std::fprintf(out, ",\"%s\":%d", field.name, int(*field.value));
            continue;
        }
        for (const EnemyGroupRow& group : ENEMY_GROUPS)
            std::fprintf(out, ",\"%s\":%d", group.next_code_trace_name, int(game.*group.next_code));
    }
    for (const ArrayField& field : ARRAYS) {
        std::fprintf(out, ",\"%s\":[", field.name);
        for (int i = 0; i < field.count; ++i)
            std::fprintf(out, "%s%d", i ? "," : "", int(field.values[i]));
        std::fputc(']', out);
    }
    for (const EnemyGroupRow& table : ENEMY_GROUPS) {
        std::fprintf(out, ",\"%s\":[", table.trace_name);
        for (int slot = 0; slot < ENEMY_SLOTS; ++slot) {
            if (slot)
                std::fputc(',', out);
            write_enemy(out, table.slots[slot]);
        }
        std::fputc(']', out);
    }
    std::fputs(",\"sounds\":[", out);
    for (int i = 0; i < pass_sound_count(); ++i)
        std::fprintf(out, "%s\"%s\"", i ? "," : "", sound_name(pass_sound(i)));
    std::fputs("]}\n", out);
}

void write_level_grid(std::FILE* out)
{
    for (int32_t row = 0; row < GRID_ROWS; ++row)
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
            std::fprintf(out, "%d%c", int(game.level_grid[row * GRID_COLUMNS + column]),
                         column == GRID_COLUMNS - 1 ? '\n' : ' ');
}
