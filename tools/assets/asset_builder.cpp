// Reads every source, builds the images and sounds, and encodes the files.
#include "asset_builder.h"

#include "base/assets.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

SourceFile read(const std::string& source_dir, const std::string& relative)
{
    return read_source_file((fs::path(source_dir) / relative).string());
}

// The palette and the sprites, read from the art sources.
ArtSources load_art(const std::string& source_dir)
{
    ArtSources art;
    art.palette = parse_palette(read(source_dir, "art/palette.txt"));
    // Sprite files are read in name order, so a mirror may name any sprite
    // from an earlier file (or earlier in its own file).
    fs::path sprite_dir = fs::path(source_dir) / "art" / "sprites";
    std::vector<std::string> paths;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(sprite_dir, error))
        if (entry.is_regular_file() && entry.path().extension() == ".txt")
            paths.push_back(entry.path().string());
    if (error)
        throw SourceError(sprite_dir.string(), 0, "cannot list the sprite folder");
    if (paths.empty())
        throw SourceError(sprite_dir.string(), 0, "no sprite files (*.txt)");
    std::sort(paths.begin(), paths.end());
    for (const std::string& path : paths)
        parse_sprites(read_source_file(path), art.palette, &art.sprites);
    return art;
}

}  // namespace

BuiltAssets build_assets(const std::string& source_dir)
{
    BuiltAssets out;
    ArtSources art = load_art(source_dir);
    out.sprite_sheet = build_sprite_sheet(read(source_dir, "art/sprite_sheet.txt"), art.sprites);
    out.title_sheet = build_title_sheet(read(source_dir, "art/title_sheet.txt"), art.palette,
                                        art.sprites, allegro_font_glyphs());
    SourceFile effects_file = read(source_dir, "sound/effects.txt");
    std::map<std::string, Sound> effects = build_effects(effects_file);
    for (const char* name : {"sgun", "blowup"})
        if (!effects.count(name))
            throw SourceError(effects_file.name, 0, std::string("no effect named '") + name + "'");
    out.gun = effects["sgun"];
    out.blast = effects["blowup"];
    out.music = build_music(read(source_dir, "sound/music.txt"));
    return out;
}

std::map<std::string, Bytes> encode_assets(const BuiltAssets& assets)
{
    // The game's own table names the files, under data/.
    const auto name = [](AssetId id) { return std::string(ASSET_FILES[id].path + 5); };
    return {
        {name(ASSET_SPRITE_SHEET), encode_bmp24(assets.sprite_sheet)},
        {name(ASSET_TITLE_SHEET), encode_bmp24(assets.title_sheet)},
        {name(ASSET_SHOT), encode_wav16(assets.gun)},
        {name(ASSET_BLAST), encode_wav16(assets.blast)},
        {name(ASSET_MUSIC), encode_wav16(assets.music.sound)},
    };
}

void write_assets(const std::map<std::string, Bytes>& files, const std::string& output_dir)
{
    fs::create_directories(output_dir);
    for (const auto& file : files)
        write_bytes((fs::path(output_dir) / file.first).string(), file.second);
}

std::string default_source_dir()
{
    return TARNBLAST_DATA_SOURCE_DIR;
}
