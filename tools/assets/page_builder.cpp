// The asset builder in the browser's page. The page makes the game's five
// files itself from the builder's sources, compiled in below (40 kB of text
// against 2.7 MB of files): the images before the first frame, since the
// title shows them, and the samples while the title already shows, in a
// second copy of this module that runs in a worker (sound_worker.js). Both
// write into data/ of their module's file system, where the game and the
// page read them as on the desktop.
#include <emscripten.h>

#include <algorithm>
#include <cstddef>
#include <string>

#include "asset_builder.h"

namespace {

struct CompiledSource {
    const char* path;  // under data/, as "art/palette.txt"
    const unsigned char* bytes;
    size_t size;
};
#include "generated/asset_sources.inc"

// Allegro's 8 x 8 glyphs, as the desktop build wrote them out for the page
// (tarnblast-assets --font-glyphs): the page has no Allegro.
const uint8_t FONT_GLYPHS[96][8] = {
#include "generated/font_glyphs.inc"
};

AssetSources compiled_sources()
{
    AssetSources sources;
    sources.read = [](const std::string& path) {
        for (const CompiledSource& source : COMPILED_SOURCES)
            if (path == source.path)
                return source_from_text(
                    "data/" + path,
                    std::string(reinterpret_cast<const char*>(source.bytes), source.size));
        throw SourceError("data/" + path, 0, "not among the page's sources");
    };
    for (const CompiledSource& source : COMPILED_SOURCES)
        if (std::string(source.path).rfind("art/sprites/", 0) == 0)
            sources.sprite_files.push_back(source.path);
    std::sort(sources.sprite_files.begin(), sources.sprite_files.end());
    return sources;
}

}  // namespace

Glyphs allegro_font_glyphs()
{
    Glyphs glyphs;
    for (size_t c = ' '; c <= 0x7f; ++c)
        std::copy_n(FONT_GLYPHS[c - ' '], 8, glyphs.rows[c].begin());
    return glyphs;
}

// The sources are the ones the desktop build has already built data/ from,
// so a mistake in them stops that build first: here the builder cannot fail,
// and if it did, the page would report the module's abort.
extern "C" {

EMSCRIPTEN_KEEPALIVE void tb_build_images()
{
    write_assets(build_image_files(compiled_sources()), "data");
}

EMSCRIPTEN_KEEPALIVE void tb_build_samples()
{
    write_assets(build_sample_files(compiled_sources()), "data");
}

}  // extern "C"
