// The browser draws with its own pixel loops; they must give exactly the
// frames the desktop's Allegro gives: the same figures drawn both ways,
// clipped at every edge, compared pixel for pixel.
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
    const SoftBitmap sheet = test_sheet(200, 120), title = test_sheet(640, 400);
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
        EXPECT_TRUE(frame_image().pixels == soft.pixels) << what;
    };
    // Sheet x, y, width, height, then where: inside, past each edge of the
    // frame, and rectangles reaching past the sheet's own edges.
    const int copies[][6] = {
        {0, 0, 20, 32, 10, 10},     {5, 7, 32, 32, -12, 40},      {5, 7, 32, 32, 300, 180},
        {150, 90, 80, 60, 100, 50}, {-10, -5, 30, 30, 0, 0},      {0, 0, 10, 10, -10, 0},
        {0, 0, 10, 10, 320, 200},   {190, 110, 20, 20, 319, 199}, {20, 20, 200, 120, -5, -5},
    };
    for (int panel = 0; panel < 4; ++panel) {
        draw_title_panel((panel % 2) * 320, (panel / 2) * 200);
        soft_blit(title, soft, (panel % 2) * 320, (panel / 2) * 200, 0, 0, SCREEN_WIDTH,
                  SCREEN_HEIGHT, false);
        same("title panel");
    }
    for (const auto& c : copies) {
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
    for (const auto& [text, at] : texts) {
        draw_text(text, at[0], at[1], TextColour(at[2]));
        soft_text(soft, glyphs, text, at[0], at[1], at[2] == TEXT_WHITE ? 0xffffff : 0xff5050, 0);
        same(text);
    }
    restart_headless_game(MODE_TITLE);
}

}  // namespace
