// The game's module-wide state and the grid accessors every subsystem uses.
#include "base/game_state.h"

#include <cstring>

#include "base/sound.h"

GameState game;

void clear_game_state()
{
    std::memset(&game, 0, sizeof game);
    forget_pass_sounds();
}
