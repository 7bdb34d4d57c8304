#include "game/headless.h"

#include "base/assets.h"
#include "base/game_state.h"
#include "base/platform.h"
#include "base/sound.h"
#include "game/main_loop.h"

void restart_headless_game(int32_t start_mode, bool keep_assets)
{
    start_headless_platform();
    set_sound_output(false);
    if (!keep_assets)
        release_assets();
    clear_game_state();
    if (frame_width() != SCREEN_WIDTH || frame_height() != SCREEN_HEIGHT)
        resize_frame(SCREEN_WIDTH, SCREEN_HEIGHT);
    clear_frame();
    start_up_game(start_mode);
}
