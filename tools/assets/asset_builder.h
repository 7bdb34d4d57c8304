// Builds the game's five asset files from the text sources under data/:
//   data/art/palette.txt        colour keys and names
//   data/art/sprites/*.txt      sprites as text grids
//   data/art/sprite_sheet.txt   where each sprite sits on main.bmp
//   data/art/title_sheet.txt    the four title panels of main2.bmp
//   data/sound/effects.txt      the gun and the explosion
//   data/sound/music.txt        the looping music
// The same sources always give the same bytes, on the desktop and in the
// browser's page, which builds its own files from the sources compiled in.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "file_formats.h"
#include "pixel_art.h"
#include "source_text.h"
#include "synth.h"

// The sources by their paths under data/ ("art/palette.txt", ...), wherever
// they are kept: a folder on the desktop, the page's own copy in a browser.
struct AssetSources {
    std::function<SourceFile(const std::string& path)> read;
    std::vector<std::string> sprite_files;  // art/sprites/*.txt, in name order
};

// The sources in SOURCE_DIR, the folder holding art/ and sound/. Throws
// SourceError when its sprite folder cannot be listed or holds no sprites.
AssetSources sources_in_folder(const std::string& source_dir);

// The asset files by file name ("main.bmp", ...), ready to write: the two
// images, which the title needs at once, and the three samples, which the
// page builds while the title already shows. Throw SourceError for a mistake
// in a source file.
using AssetFiles = std::map<std::string, Bytes>;
AssetFiles build_image_files(const AssetSources& sources);
AssetFiles build_sample_files(const AssetSources& sources);

// Writes the files into OUTPUT_DIR, creating it if needed.
void write_assets(const AssetFiles& files, const std::string& output_dir);

// The palette and all sprites, for tools and tests that need them alone.
struct ArtSources {
    Palette palette;
    SpriteLibrary sprites;
};

// The data/ folder of the source tree this builder was compiled from.
std::string default_source_dir();
