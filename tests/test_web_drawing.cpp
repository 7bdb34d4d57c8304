// The browser draws with its own pixel loops; they must give exactly the
// frames the desktop's Allegro gives: each case draws the same figures both
// ways, clipped at every edge, and compares the two frames pixel for pixel.
#include <gtest/gtest.h>

#include "base/bmp_file.h"
#include "base/platform.h"
#include "game_fixture.h"
#include "pixel_art.h"
#include "platform/web/soft_frame.h"

namespace {

// A sheet of varied colours with magenta holes, in both forms.
SoftBitmap test_sheet(int width, int height)
{
    SoftBitmap sheet;
    soft_resize(sheet, width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            sheet.row(y)[x] = (x * 7 + y * 13) % 5 == 0
                                  ? SHEET_MASK_COLOUR
                                  : uint32_t(x * 0x010307 + y * 0x070301) & 0xffffff;
    return sheet;
}

class WebDrawing : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        sheet = test_sheet(200, 120);
        title = test_sheet(640, 400);
        install_sheet_pixels(ASSET_SPRITE_SHEET, sheet.width, sheet.height, sheet.pixels.data());
        install_sheet_pixels(ASSET_TITLE_SHEET, title.width, title.height, title.pixels.data());
        soft_resize(soft, SCREEN_WIDTH, SCREEN_HEIGHT);
        clear_frame();
        const Glyphs allegro = allegro_font_glyphs();
        for (int c = ' '; c <= '~'; ++c)
            for (int row = 0; row < 8; ++row)
                glyphs[c - ' '][row] = allegro.rows[size_t(c)][size_t(row)];
    }
    void TearDown() override { restart_headless_game(MODE_TITLE); }

    void expect_same_frames(const char* what)
    {
        const RgbImage frame = frame_image();
        int differing = 0;
        for (size_t i = 0; i < frame.pixels.size(); ++i)
            differing += frame.pixels[i] != soft.pixels[i];
        EXPECT_EQ(differing, 0) << what;
    }

    SoftBitmap sheet, title, soft;
    FontGlyphs glyphs{};
};

TEST_F(WebDrawing, MaskedSheetCopiesClipAsAllegrosAtEveryEdge)
{
    // sheet x, y, width, height, then where: inside, past each edge of the
    // frame, and rectangles reaching past the sheet's own edges.
    const int cases[][6] = {
        {0, 0, 20, 32, 10, 10},     {5, 7, 32, 32, -12, 40},      {5, 7, 32, 32, 300, 180},
        {150, 90, 80, 60, 100, 50}, {-10, -5, 30, 30, 0, 0},      {0, 0, 10, 10, -10, 0},
        {0, 0, 10, 10, 320, 200},   {190, 110, 20, 20, 319, 199}, {20, 20, 200, 120, -5, -5},
        {0, 0, 200, 120, 160, 100},
    };
    for (const auto& c : cases) {
        draw_sheet_rect(c[0], c[1], c[2], c[3], c[4], c[5]);
        soft_blit(sheet, soft, c[0], c[1], c[4], c[5], c[2], c[3], true);
        expect_same_frames("masked copy");
    }
    for (int panel = 0; panel < 4; ++panel) {
        draw_title_panel((panel % 2) * 320, (panel / 2) * 200);
        soft_blit(title, soft, (panel % 2) * 320, (panel / 2) * 200, 0, 0, SCREEN_WIDTH,
                  SCREEN_HEIGHT, false);
        expect_same_frames("title panel");
    }
}

TEST_F(WebDrawing, TextIsAllegrosFontOnBlackCellsClippedAtTheEdges)
{
    draw_title_panel(0, 0);
    soft_blit(title, soft, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, false);
    const struct {
        const char* text;
        int x, y;
        TextColour colour;
    } cases[] = {
        {"SCORE: 0123456789", 0, 0, TEXT_WHITE},
        {"EXPORT FAILED: No space left on device", 0, 192, TEXT_WARNING},
        {" !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~", -4, 100, TEXT_WHITE},
        {"abcdefghijklmnopqrstuvwxyz\x7f\x01", 300, 196, TEXT_WARNING},
        {"PAUSED", 140, -3, TEXT_WHITE},
    };
    for (const auto& c : cases) {
        draw_text(c.text, c.x, c.y, c.colour);
        soft_text(soft, glyphs, c.text, c.x, c.y, c.colour == TEXT_WHITE ? 0xffffff : 0xff5050, 0);
        expect_same_frames(c.text);
    }
}

}  // namespace
