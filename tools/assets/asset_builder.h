// Builds the game's five asset files from the text sources under data/:
//   data/art/palette.txt        colour keys and names
//   data/art/sprites/*.txt      sprites as text grids
//   data/art/sprite_sheet.txt   where each sprite sits on main.bmp
//   data/art/title_sheet.txt    the four title panels of main2.bmp
//   data/sound/effects.txt      the gun and the explosion
//   data/sound/music.txt        the looping music
// The same sources always give the same bytes.
#pragma once

#include <map>
#include <string>

#include "file_formats.h"
#include "pixel_art.h"
#include "source_text.h"
#include "synth.h"

struct BuiltAssets {
    Image sprite_sheet;  // main.bmp
    Image title_sheet;   // main2.bmp
    Sound gun;           // sgun.wav
    Sound blast;         // blowup.wav
    Music music;         // gmsong.wav
};

// SOURCE_DIR is the folder holding art/ and sound/. Throws SourceError for a
// mistake in a source file.
BuiltAssets build_assets(const std::string& source_dir);

// The asset files by file name ("main.bmp", ...), ready to write.
std::map<std::string, Bytes> encode_assets(const BuiltAssets& assets);

// Writes the files into OUTPUT_DIR, creating it if needed.
void write_assets(const std::map<std::string, Bytes>& files, const std::string& output_dir);

// The palette and all sprites, for tools and tests that need them alone.
struct ArtSources {
    Palette palette;
    SpriteLibrary sprites;
};

// The data/ folder of the source tree this builder was compiled from.
std::string default_source_dir();
