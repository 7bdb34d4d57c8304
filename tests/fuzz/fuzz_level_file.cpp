// Coverage-guided fuzzing of the level file reader and the level link's
// decoder: any bytes as a level file or a link are read or refused without a
// fault (the sanitizers watch memory and
// undefined behaviour). A file the checker accepts is exactly what the editor
// writes for its grid, and the game opens it in the editor and plays it.

#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/game_state.h"
#include "base/platform.h"
#include "base/sound.h"
#include "game/headless.h"
#include "game/main_loop.h"
#include "levels/level_export.h"
#include "levels/level_file.h"
#include "levels/level_link.h"
#include "levels/level_pack.h"
#include "program/key_script.h"

namespace {

char level_path[] = "/tmp/tarnblast-fuzz-level.XXXXXX";

void check(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("TARNBLAST_EXPORT_PATH", "/dev/null/fuzz/level.txt", 1);  // exports go nowhere
    check(mkstemp(level_path) >= 0, "a scratch file");
    std::atexit([] { unlink(level_path); });
    start_headless_platform();
    return 0;
}

// The same bytes as a level link's payload, and as the packed cells a link
// holds (with a sound check, so that the unpacking itself is reached):
// refused, or unpacked to a level that packs back to exactly those bytes.
static void fuzz_level_link(const uint8_t* data, size_t size, const std::string& text)
{
    std::string exported, error;
    bool edit = false;
    level_link_export(LEVEL_LINK_PLAY + text, exported, edit, error);
    std::vector<uint8_t> packed(data, data + size);
    const uLong sum = crc32(0, data, uInt(size));
    for (int i = 0; i < 4; ++i)
        packed.push_back(uint8_t(sum >> (8 * i)));
    LevelGrid grid;
    if (unpack_level_cells(packed.data(), packed.size(), grid, error))
        check(pack_level_cells(grid.data()) == packed, "an unpacked link packs back to itself");
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    fuzz_level_link(data, size, text);
    LevelGrid grid;
    if (!check_level_export(text, LEVEL_FOR_BOTH, grid).empty())
        return 0;
    std::string exported(size_t(EXPORT_FILE_SIZE), '\0');
    format_level_export(grid.data(), exported.data());
    check(exported == text, "an accepted file is what the editor writes for its grid");
    std::FILE* file = std::fopen(level_path, "wb");
    check(file && std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0,
          "a written scratch file");
    // Edited (placing, scrolling, exporting), then played through a level end.
    for (int32_t mode : {MODE_EDITOR, MODE_TITLE}) {
        std::string message;
        check(open_level_pack(level_path, mode, message),
              "the game opens what the checker accepts");
        restart_headless_game(mode, true);
        for (int pass = 0; pass < 60; ++pass) {
            run_pass([&] {
                if (pass == 40 && mode == MODE_TITLE)
                    advance_level();
                const uint16_t edit = SCRIPT_DOWN | SCRIPT_ENTER | SCRIPT_F2 | SCRIPT_RSHIFT
                                      | (pass % 4 ? 0 : SCRIPT_SPACE);
                const uint16_t keys = pass == 0             ? SCRIPT_S
                                      : mode == MODE_EDITOR ? edit
                                                            : SCRIPT_RIGHT | SCRIPT_SPACE;
                hold_script_keys(keys);
                return keys;
            });
        }
        close_level_pack();
    }
    return 0;
}
