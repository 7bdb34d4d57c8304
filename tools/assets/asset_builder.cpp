// Reads every source, builds the images and sounds, and encodes the files.
#include "asset_builder.h"

#include "base/assets.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// The game's own table names the files, under data/.
std::string file_name(AssetId id)
{
    return std::string(ASSET_FILES[id].path).substr(sizeof "data/" - 1);
}

// The palette and the sprites, read from the art sources.
ArtSources load_art(const AssetSources& sources)
{
    ArtSources art;
    art.palette = parse_palette(sources.read("art/palette.txt"));
    // Sprite files are read in name order, so a mirror may name any sprite
    // from an earlier file (or earlier in its own file).
    for (const std::string& path : sources.sprite_files)
        parse_sprites(sources.read(path), art.palette, &art.sprites);
    return art;
}

}  // namespace

AssetSources sources_in_folder(const std::string& source_dir)
{
    AssetSources sources;
    sources.read = [source_dir](const std::string& path) {
        return read_source_file((fs::path(source_dir) / path).string());
    };
    fs::path sprite_dir = fs::path(source_dir) / "art" / "sprites";
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(sprite_dir, error))
        if (entry.is_regular_file() && entry.path().extension() == ".txt")
            sources.sprite_files.push_back("art/sprites/" + entry.path().filename().string());
    if (error)
        throw SourceError(sprite_dir.string(), 0, "cannot list the sprite folder");
    if (sources.sprite_files.empty())
        throw SourceError(sprite_dir.string(), 0, "no sprite files (*.txt)");
    std::sort(sources.sprite_files.begin(), sources.sprite_files.end());
    return sources;
}

AssetFiles build_image_files(const AssetSources& sources)
{
    const ArtSources art = load_art(sources);
    const Image sprite_sheet =
        build_sprite_sheet(sources.read("art/sprite_sheet.txt"), art.sprites);
    const Image title_sheet = build_title_sheet(sources.read("art/title_sheet.txt"), art.palette,
                                                art.sprites, allegro_font_glyphs());
    return {{file_name(ASSET_SPRITE_SHEET), encode_bmp24(sprite_sheet)},
            {file_name(ASSET_TITLE_SHEET), encode_bmp24(title_sheet)}};
}

AssetFiles build_sample_files(const AssetSources& sources)
{
    const SourceFile effects_file = sources.read("sound/effects.txt");
    std::map<std::string, Sound> effects = build_effects(effects_file);
    for (const char* name : {"sgun", "blowup"})
        if (!effects.count(name))
            throw SourceError(effects_file.name, 0, std::string("no effect named '") + name + "'");
    const Music music = build_music(sources.read("sound/music.txt"));
    return {{file_name(ASSET_SHOT), encode_wav16(effects["sgun"])},
            {file_name(ASSET_BLAST), encode_wav16(effects["blowup"])},
            {file_name(ASSET_MUSIC), encode_wav16(music.sound)}};
}

void write_assets(const AssetFiles& files, const std::string& output_dir)
{
    fs::create_directories(output_dir);
    for (const auto& file : files)
        write_bytes((fs::path(output_dir) / file.first).string(), file.second);
}

std::string default_source_dir()
{
    return TARNBLAST_DATA_SOURCE_DIR;
}
