// The game's pictures and sounds: five files read once at start-up from the
// data directory under the working directory.
#pragma once

#include "base/platform.h"
#include "base/table_rows.h"

// The five files, in the order of AssetId, each with the name of the game's
// handle for it (the sound log and the traces name samples so). Only the
// title and play show the title sheet and play the music; the editor does
// without them.
struct AssetFile {
    AssetId id;
    const char* path;
    const char* handle;
    bool editor_needs;
};
inline constexpr AssetFile ASSET_FILES[ASSET_COUNT] = {
    {ASSET_SPRITE_SHEET, "data/main.bmp", "sprite_sheet", true},
    {ASSET_TITLE_SHEET, "data/main2.bmp", "title_sheet", false},
    {ASSET_SHOT, "data/sgun.wav", "shot_sound", true},
    {ASSET_BLAST, "data/blowup.wav", "blast_sound", true},
    {ASSET_MUSIC, "data/gmsong.wav", "music", true},
};
static_assert(rows_in_order(ASSET_FILES, &AssetFile::id),
              "every asset has its row, in the order of AssetId");
constexpr const char* SPRITE_SHEET_PATH = ASSET_FILES[ASSET_SPRITE_SHEET].path;

// Loads the sheets and samples (the title sheet and the music only outside
// the editor) and starts the music. A file that cannot be loaded is named on
// stderr in one line; its handle stays null and the game runs on without it.
void load_assets();

// Forgets the sheets and samples, so that the next load_assets reads them
// afresh. Safe to call when any of them is missing.
void release_assets();
