// Reads the letters of Allegro's built-in 8x8 font (the font the game's score
// line uses) so the title panels are lettered in the same hand.
#include <allegro.h>

#include <cerrno>
#include <cstdlib>

#include "pixel_art.h"

Glyphs allegro_font_glyphs()
{
    // The tool and the tests may or may not have started Allegro already;
    // drawing text into a memory bitmap needs only the headless system.
    if (!system_driver)
        install_allegro(SYSTEM_NONE, &errno, atexit);
    Glyphs glyphs;
    BITMAP* cell = create_bitmap_ex(8, 8, 8);
    for (int c = ' '; c <= 0x7f; ++c) {
        char text[2] = {static_cast<char>(c), '\0'};
        clear_to_color(cell, 0);
        textout_ex(cell, font, text, 0, 0, 1, 0);
        for (int y = 0; y < 8; ++y) {
            uint8_t bits = 0;
            for (int x = 0; x < 8; ++x)
                if (getpixel(cell, x, y) != 0)
                    bits = static_cast<uint8_t>(bits | (0x80 >> x));
            glyphs.rows[static_cast<size_t>(c)][static_cast<size_t>(y)] = bits;
        }
    }
    destroy_bitmap(cell);
    return glyphs;
}
