// tarnblast-assets SOURCE_DIR OUTPUT_DIR
// Builds main.bmp, main2.bmp, sgun.wav, blowup.wav and gmsong.wav from the
// text sources in SOURCE_DIR (the repository's data/ folder).
// tarnblast-assets --font-glyphs FILE
// Writes the glyphs of Allegro's 8 x 8 font, ' ' to 0x7f, as a C++ table for
// the browser, which draws the game's text with its own pixel loops.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "asset_builder.h"
#include "pixel_art.h"

namespace {

int write_font_glyphs(const char* path)
{
    const Glyphs glyphs = allegro_font_glyphs();
    std::FILE* file = std::fopen(path, "w");
    if (!file) {
        std::fprintf(stderr, "tarnblast-assets: cannot write %s\n", path);
        return 1;
    }
    std::fprintf(file, "// Made by tarnblast-assets --font-glyphs from Allegro's own font.\n");
    for (int c = ' '; c <= 0x7f; ++c) {
        std::fprintf(file, "{");
        for (size_t row = 0; row < 8; ++row)
            std::fprintf(file, "%s0x%02x", row ? ", " : "", glyphs.rows[size_t(c)][row]);
        std::fprintf(file, c < 0x7f ? "},  // '%c'\n" : "},  // 0x%02x\n", c);
    }
    return std::fclose(file) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--font-glyphs")
        return write_font_glyphs(argv[2]);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE_DIR OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    // Headless: the builder only draws text into memory bitmaps.
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "tarnblast-assets: cannot start Allegro\n");
        return 1;
    }
    try {
        const AssetSources sources = sources_in_folder(argv[1]);
        write_assets(build_image_files(sources), argv[2]);
        write_assets(build_sample_files(sources), argv[2]);
    } catch (const SourceError& e) {
        std::fprintf(stderr, "tarnblast-assets: %s\n", e.what());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarnblast-assets: %s\n", e.what());
        return 1;
    }
    return 0;
}

END_OF_MAIN()
