// tarnblast-assets SOURCE_DIR OUTPUT_DIR
// Builds main.bmp, main2.bmp, sgun.wav, blowup.wav and gmsong.wav from the
// text sources in SOURCE_DIR (the repository's data/ folder).
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "asset_builder.h"

int main(int argc, char** argv)
{
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
        write_assets(encode_assets(build_assets(argv[1])), argv[2]);
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
