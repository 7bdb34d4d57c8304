// Proves that the game allocates nothing inside its loop: every heap
// allocation of the process goes through the counting malloc below, and
// 10,000 passes of play and of the editor, after start-up, recorded as the
// game records a demo, must make none.
// A program of its own, since it replaces malloc for the whole process.
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/game_state.h"
#include "base/platform.h"
#include "base/sound.h"
#include "game/headless.h"
#include "game/main_loop.h"
#include "game/title.h"
#include "levels/level_export.h"
#include "levels/level_pack.h"
#include "levels/load_level.h"
#include "program/key_script.h"
#include "program/recorder.h"

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);

static volatile long allocations = 0;

// Each counts a call and leaves the work to the C library's own.
void* malloc(size_t size)
{
    return ++allocations, __libc_malloc(size);
}
void* calloc(size_t count, size_t size)
{
    return ++allocations, __libc_calloc(count, size);
}
void* realloc(void* block, size_t size)
{
    return ++allocations, __libc_realloc(block, size);
}
void* memalign(size_t alignment, size_t size)
{
    return ++allocations, __libc_memalign(alignment, size);
}
void* aligned_alloc(size_t alignment, size_t size)
{
    return ++allocations, __libc_memalign(alignment, size);
}
int posix_memalign(void** out, size_t alignment, size_t size)
{
    *out = (++allocations, __libc_memalign(alignment, size));
    return *out ? 0 : 12;
}
}

namespace {

// A busy mix of held keys, each set held for 53 passes of play or 37 of the editor.
// clang-format off
constexpr uint16_t PLAY[] = {SCRIPT_RIGHT | SCRIPT_SPACE, SCRIPT_RIGHT, SCRIPT_UP | SCRIPT_SPACE,
                             SCRIPT_LEFT | SCRIPT_RIGHT, SCRIPT_LEFT | SCRIPT_SPACE, 0, SCRIPT_S};
constexpr uint16_t EDIT[] = {SCRIPT_RIGHT, SCRIPT_DOWN | SCRIPT_SPACE, SCRIPT_ENTER, SCRIPT_F2,
                             SCRIPT_F1 | SCRIPT_SPACE, SCRIPT_LEFT | SCRIPT_ENTER, SCRIPT_UP,
                             SCRIPT_F3, SCRIPT_F4};
// clang-format on

uint16_t keys_for_pass(long pass, bool editor)
{
    return editor ? EDIT[(pass / 37) % std::size(EDIT)] : PLAY[(pass / 53) % std::size(PLAY)];
}

// Allocations in 10,000 passes. With a level pack open, play changes level
// every 1,000 passes: each load copies the next file's level from where
// start-up put it.
long count_pass_allocations(int32_t start_mode)
{
    restart_headless_game(start_mode);
    if (start_mode == MODE_TITLE)
        start_game_at_level(3);
    char path[] = "/tmp/tarnblast-alloc-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0 || !start_recording(path, start_mode))
        return -1;
    const long before = allocations;
    for (long pass = 0; pass < 10000; ++pass) {
        run_pass([&] {
            const uint16_t keys = keys_for_pass(pass, start_mode == MODE_EDITOR);
            hold_script_keys(keys);
            record_pass(keys);
            return keys;
        });
        if (level_pack_open() && pass % 1000 == 999)
            advance_level();
    }
    const long made = allocations - before;
    stop_recording();
    close(fd);
    std::remove(path);
    return made;
}

}  // namespace

int main()
{
    const long at_start = allocations;
    start_headless_platform();
    restart_headless_game(MODE_TITLE);
    if (allocations == at_start) {
        std::printf("the counting malloc is not in use\n");
        return 1;
    }
    const long play = count_pass_allocations(MODE_TITLE);
    const long editor = count_pass_allocations(MODE_EDITOR);
    // A pack of three levels: each level change loads the next file.
    char folder[] = "/tmp/tarnblast-alloc-pack-XXXXXX";
    const bool made = mkdtemp(folder) != nullptr;
    for (int32_t level : {3, 4, 5}) {
        load_level(level, game.level_grid);
        setenv("TARNBLAST_EXPORT_PATH", (folder + ("/" + std::to_string(level)) + ".txt").c_str(),
               1);
        export_level();
    }
    std::string message;
    const bool opened =
        made && open_level_pack(folder, MODE_TITLE, message) && level_pack_files() == 3;
    std::system((std::string("rm -rf ") + folder).c_str());
    const long level_file = opened ? count_pass_allocations(MODE_TITLE) : -1;
    std::printf("allocations in 10000 passes: play %ld, editor %ld, play on a level pack %ld\n",
                play, editor, level_file);
    return play == 0 && editor == 0 && level_file == 0 ? 0 : 1;
}
