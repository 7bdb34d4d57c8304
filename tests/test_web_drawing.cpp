// The browser draws with its own pixel loops; they must give exactly the
// frames the desktop's Allegro gives: the same figures drawn both ways,
// clipped at every edge, on frames cleared before (a clear the browser does
// only when a drawing needs it), compared pixel for pixel.
#include <gtest/gtest.h>

#include "game_fixture.h"
#include "pixel_art.h"
#include "platform/web/soft_frame.h"

namespace {

// A sheet of varied colours with magenta holes.
SoftBitmap test_sheet(int width, int height)
{
    SoftBitmap sheet;
    soft_resize(sheet, width, height);
    for (int i = 0; i < width * height; ++i)
        sheet.pixels[size_t(i)] =
            i % 7 == 0 ? SHEET_MASK_COLOUR : uint32_t(i) * 0x010307u & 0xffffff;
    return sheet;
}

TEST_F(GameTest, BrowserDrawingIsAllegrosAtEveryEdge)
{
    const SoftBitmap sheet = test_sheet(330, 210), title = test_sheet(640, 400);
    install_sheet_pixels(ASSET_SPRITE_SHEET, sheet.width, sheet.height, sheet.pixels.data());
    install_sheet_pixels(ASSET_TITLE_SHEET, title.width, title.height, title.pixels.data());
    FontGlyphs glyphs{};
    const Glyphs allegro = allegro_font_glyphs();
    for (int c = ' '; c <= 0x7f; ++c)
        std::copy_n(allegro.rows[size_t(c)].begin(), 8, glyphs[c - ' ']);
    SoftBitmap soft;
    soft_resize(soft, SCREEN_WIDTH, SCREEN_HEIGHT);
    clear_frame();
    const auto same = [&](const char* what) {
        const RgbImage frame = frame_image();
        EXPECT_TRUE(std::equal(frame.pixels.begin(), frame.pixels.end(), soft_pixels(soft)))
            << what;
    };
    const auto clear = [&] {
        clear_frame();
        soft_clear(soft);
    };
    // Sheet x, y, width, height, then where: inside, past each edge of the
    // frame, and rectangles reaching past the sheet's own edges.
    // The last, masked, covers the whole frame and shows it cleared in its holes.
    const int copies[][6] = {
        {0, 0, 20, 32, 10, 10},     {5, 7, 32, 32, -12, 40},      {5, 7, 32, 32, 300, 180},
        {150, 90, 80, 60, 100, 50}, {-10, -5, 30, 30, 0, 0},      {0, 0, 10, 10, -10, 0},
        {0, 0, 10, 10, 320, 200},   {320, 200, 20, 20, 309, 189}, {20, 20, 200, 120, -5, -5},
        {0, 0, 320, 200, 0, 0},
    };
    // Panels, each on a cleared frame: the four whole ones, then two that run
    // off the sheet's right and bottom edges and leave the frame's edge black.
    const int panels[][2] = {{0, 0}, {320, 0}, {0, 200}, {320, 200}, {400, 0}, {0, 300}};
    for (const auto& p : panels) {
        clear();
        draw_title_panel(p[0], p[1]);
        soft_blit(title, soft, p[0], p[1], 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, false);
        same("title panel");
    }
    clear();
    for (const auto& c : copies) {
        if (c[2] == SCREEN_WIDTH)
            clear();
        draw_sheet_rect(c[0], c[1], c[2], c[3], c[4], c[5]);
        soft_blit(sheet, soft, c[0], c[1], c[4], c[5], c[2], c[3], true);
        same("masked copy");
    }
    // Every glyph, both colours, clipped at each edge, and characters the
    // font lacks.
    const std::pair<const char*, std::array<int, 3>> texts[] = {
        {" !\"#$%&'()*+,-./0123456789:;<=>?@[\\]^_`{|}~", {-4, 100, TEXT_WHITE}},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", {0, 192, TEXT_WARNING}},
        {"\x7f\x01 abcdefghijklmnopqrstuvwxyz", {100, 196, TEXT_WARNING}},
        {"PAUSED", {140, -3, TEXT_WHITE}},
    };
    clear();
    for (const auto& [text, at] : texts) {
        draw_text(text, at[0], at[1], TextColour(at[2]));
        soft_text(soft, glyphs, text, at[0], at[1], at[2] == TEXT_WHITE ? 0xffffff : 0xff5050, 0);
        same(text);
    }
    clear();
    same("a cleared frame");
    restart_headless_game(MODE_TITLE);
}

}  // namespace
