#include "shell/headless.h"

#include <allegro.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/assets.h"
#include "base/game_state.h"
#include "base/sound.h"
#include "shell/main_loop.h"

void boot_headless_allegro()
{
    static bool booted = false;
    if (booted)
        return;
    booted = true;
    install_allegro(SYSTEM_NONE, &errno, std::atexit);
    set_color_depth(32);
    select_palette(default_palette);
    set_sound_output(false);
}

void release_all_keys()
{
    for (int k = 0; k < KEY_MAX; ++k)
        key[k] = 0;
}

void restart_headless_game(int32_t start_mode, bool keep_assets)
{
    boot_headless_allegro();
    if (!keep_assets)
        release_assets();
    clear_game_state();
    release_all_keys();
    if (!back_buffer)
        back_buffer = create_bitmap(SCREEN_WIDTH, SCREEN_HEIGHT);
    clear_bitmap(back_buffer);
    start_up_game(start_mode);
}
