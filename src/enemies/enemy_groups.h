// The enemy groups, one row each. Everything outside a group's own file that
// needs to know the groups (the world scan's dispatch of tile codes, the
// reset, the blocks, the editor's brushes, the trace and the level tool)
// reads this table, so a new group is one row here plus its own file.
#pragma once

#include <cstdint>

#include "base/game_state.h"

enum EnemyGroup : int32_t { GROUP_A, GROUP_B, GROUP_C, GROUP_D, GROUP_COUNT };

// A kind of enemy shot: how an enemy puts a slot in flight, and one visit of
// a slot (its flight and any explosion) during its enemy's visit.
struct ShotKind {
    void (*arm)(const EnemySlot& enemy, EnemyShot& shot);
    void (*step)(const EnemySlot& enemy, EnemyShot& shot, int32_t row, int32_t column);
    bool explodes_at_blocks;  // a block it meets, flying or resting, sets it off
};

struct EnemyGroupRow {
    char letter;                    // the group's name: "group A"
    int32_t base_code;              // its 51 tile codes start here
    EnemySlot* slots;               // its table in the game state
    int32_t GameState::*next_code;  // the editor's next code for it
    void (*visit)(int32_t slot, int32_t row, int32_t column);
    const ShotKind* shot;
    void (*preview)(int32_t x, int32_t y);  // the editor brush's picture
    bool lands_on_blocks;                   // falls until a block holds it
    const char* trace_name;                 // its table in a state trace
    const char* next_code_trace_name;       // its next code in a state trace
};

extern const EnemyGroupRow ENEMY_GROUPS[GROUP_COUNT];

// The group whose codes include this tile code, or nullptr.
inline const EnemyGroupRow* enemy_group_of(int32_t code)
{
    for (const EnemyGroupRow& group : ENEMY_GROUPS)
        if (code >= group.base_code && code < group.base_code + ENEMY_SLOTS)
            return &group;
    return nullptr;
}

// One visit of an enemy by the world scan, per group: slot 0 to 50 and the
// visited anchor cell.
void update_enemy_a(int32_t slot, int32_t row, int32_t column);
void update_enemy_b(int32_t slot, int32_t row, int32_t column);
void update_enemy_c(int32_t slot, int32_t row, int32_t column);
void update_enemy_d(int32_t slot, int32_t row, int32_t column);
