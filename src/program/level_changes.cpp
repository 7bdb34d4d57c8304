#include "program/level_changes.h"

#include <cstdint>
#include <vector>

#include "base/game_state.h"
#include "levels/level_link.h"
#include "levels/level_pack.h"
#include "levels/load_level.h"

namespace {

std::vector<uint8_t> kept_cells;

std::vector<uint8_t> cells_to_edit()
{
    if (game.game_mode == MODE_EDITOR)
        return pack_level_cells(game.level_grid);
    LevelGrid grid = builtin_level_grid(1);
    write_pack_file_cells(0, grid.data());
    return pack_level_cells(grid.data());
}

}  // namespace

void keep_level_cells()
{
    kept_cells = cells_to_edit();
}

bool level_cells_changed()
{
    return cells_to_edit() != kept_cells;
}
