// Palette, sprite grids, sprite sheet and title panels.
#include "pixel_art.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "base/bmp_file.h"
#include "prng.h"

Image::Image(int w, int h, Rgb fill)
    : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill)
{
}

// ---------------------------------------------------------------- palette

void Palette::add(char key, const std::string& name, Rgb colour, const Statement& where)
{
    if (key == TRANSPARENT_KEY)
        where.fail("'.' is kept for the transparent mask colour");
    if (key == '#' || key == '"' || key <= ' ' || key > '~')
        where.fail(std::string("'") + key + "' cannot be a colour key");
    if (colour == MASK_COLOUR)
        where.fail("magenta 255,0,255 is the mask colour; it would be transparent in the game");
    if (by_key_.count(key))
        where.fail(std::string("colour key '") + key + "' defined twice");
    if (by_name_.count(name))
        where.fail("colour name '" + name + "' defined twice");
    by_key_[key] = colour;
    by_name_[name] = colour;
}

bool Palette::find_key(char key, Rgb* out) const
{
    if (key == TRANSPARENT_KEY) {
        *out = MASK_COLOUR;
        return true;
    }
    auto it = by_key_.find(key);
    if (it == by_key_.end())
        return false;
    *out = it->second;
    return true;
}

namespace {

bool parse_hex_colour(const std::string& text, Rgb* out)
{
    if (text.size() != 7 || text[0] != '#')
        return false;
    unsigned value = 0;
    for (size_t i = 1; i < 7; ++i) {
        char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        value = value * 16 + digit;
    }
    *out = Rgb{static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
               static_cast<uint8_t>(value)};
    return true;
}

}  // namespace

Rgb Palette::colour(const Statement& where, const std::string& name) const
{
    Rgb c;
    if (parse_hex_colour(name, &c))
        return c;
    auto it = by_name_.find(name);
    if (it == by_name_.end())
        where.fail("unknown colour '" + name + "'");
    return it->second;
}

// Lines: KEY NAME #rrggbb
Palette parse_palette(const SourceFile& file)
{
    Palette palette;
    for (size_t i = 0; i < file.lines.size(); ++i) {
        Statement st(file, static_cast<int>(i));
        if (st.empty())
            continue;
        st.expect_words(3, 3, "KEY NAME #rrggbb");
        if (st.word(0).size() != 1)
            st.fail("a colour key is one character, got '" + st.word(0) + "'");
        Rgb c;
        if (!parse_hex_colour(st.word(2), &c))
            st.fail("expected a colour written #rrggbb, got '" + st.word(2) + "'");
        palette.add(st.word(0)[0], st.word(1), c, st);
        st.finish();
    }
    if (palette.size() == 0)
        throw SourceError(file.name, 0, "the palette defines no colours");
    return palette;
}

// ---------------------------------------------------------------- sprites

namespace {

bool parse_size_word(const std::string& word, int* w, int* h)
{
    size_t x = word.find('x');
    if (x == std::string::npos)
        return false;
    return parse_int_word(word.substr(0, x), w) && parse_int_word(word.substr(x + 1), h) && *w > 0
           && *h > 0 && *w <= 640 && *h <= 400;
}

Image mirrored(const Image& source)
{
    Image out(source.width, source.height, MASK_COLOUR);
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x)
            out.set(source.width - 1 - x, y, source.at(x, y));
    return out;
}

}  // namespace

// "sprite NAME WxH" followed by H grid rows (the first word of each line; a
// '#' comment may follow), or "mirror NAME SOURCE" for a left-right flip.
void parse_sprites(const SourceFile& file, const Palette& palette, SpriteLibrary* library)
{
    size_t i = 0;
    auto take_name = [&](const Statement& st, const std::string& name) {
        if (library->count(name))
            st.fail("sprite '" + name + "' defined twice");
    };
    while (i < file.lines.size()) {
        Statement st(file, static_cast<int>(i));
        ++i;
        if (st.empty())
            continue;
        const std::string& verb = st.word(0);
        if (verb == "mirror") {
            st.expect_words(3, 3, "mirror NAME SOURCE");
            take_name(st, st.word(1));
            auto src = library->find(st.word(2));
            if (src == library->end())
                st.fail("mirror of '" + st.word(2) + "', which is not defined above");
            (*library)[st.word(1)] = mirrored(src->second);
            st.finish();
            continue;
        }
        if (verb != "sprite")
            st.fail("expected 'sprite NAME WxH' or 'mirror NAME SOURCE'");
        st.expect_words(3, 3, "sprite NAME WxH");
        take_name(st, st.word(1));
        int w = 0, h = 0;
        if (!parse_size_word(st.word(2), &w, &h))
            st.fail("expected a size like 20x32, got '" + st.word(2) + "'");
        st.finish();
        Image image(w, h, MASK_COLOUR);
        int row = 0;
        while (row < h) {
            if (i >= file.lines.size())
                st.fail("sprite '" + st.word(1) + "' has " + std::to_string(row) + " of its "
                        + std::to_string(h) + " rows");
            Statement grid(file, static_cast<int>(i));
            ++i;
            if (grid.empty())
                continue;
            const std::string& cells = grid.word(0);
            if (static_cast<int>(cells.size()) != w)
                grid.fail("grid row is " + std::to_string(cells.size()) + " wide, sprite '"
                          + st.word(1) + "' is " + std::to_string(w));
            for (int x = 0; x < w; ++x) {
                Rgb c;
                if (!palette.find_key(cells[static_cast<size_t>(x)], &c))
                    grid.fail(std::string("colour key '") + cells[static_cast<size_t>(x)]
                              + "' is not in the palette");
                image.set(x, row, c);
            }
            ++row;
        }
        (*library)[st.word(1)] = image;
    }
}

// ---------------------------------------------------------------- sprite sheet

namespace {

const Image& find_sprite(const SpriteLibrary& sprites, const Statement& st, const std::string& name)
{
    auto it = sprites.find(name);
    if (it == sprites.end())
        st.fail("unknown sprite '" + name + "'");
    return it->second;
}

// An empty sheet of the size "size W H" gives, as large as the game reads.
Image sheet_of_size(const Statement& st)
{
    const int w = st.integer(1, "width"), h = st.integer(2, "height");
    if (w <= 0 || h <= 0 || w > BMP_MAX_SIDE || h > BMP_MAX_SIDE)
        st.fail("unreasonable sheet size");
    return Image(w, h, MASK_COLOUR);
}

}  // namespace

Image build_sprite_sheet(const SourceFile& layout, const SpriteLibrary& sprites)
{
    Image sheet;
    std::vector<int> owner;  // index into `placed` of the sprite that set each pixel, or -1
    std::vector<std::string> placed;
    for (size_t i = 0; i < layout.lines.size(); ++i) {
        Statement st(layout, static_cast<int>(i));
        if (st.empty())
            continue;
        if (st.word(0) == "size") {
            st.expect_words(3, 3, "size W H");
            if (sheet.width)
                st.fail("size given twice");
            sheet = sheet_of_size(st);
            owner.assign(static_cast<size_t>(sheet.width * sheet.height), -1);
        } else if (st.word(0) == "place") {
            st.expect_words(4, 4, "place SPRITE X Y");
            if (!sheet.width)
                st.fail("'size W H' must come before the first 'place'");
            const Image& sprite = find_sprite(sprites, st, st.word(1));
            int ox = st.integer(2, "x"), oy = st.integer(3, "y");
            if (ox < 0 || oy < 0 || ox + sprite.width > sheet.width
                || oy + sprite.height > sheet.height)
                st.fail("sprite '" + st.word(1) + "' does not fit on the sheet there");
            int me = static_cast<int>(placed.size());
            placed.push_back(st.word(1));
            for (int y = 0; y < sprite.height; ++y) {
                for (int x = 0; x < sprite.width; ++x) {
                    if (!sprite.opaque(x, y))
                        continue;
                    int sx = ox + x, sy = oy + y;
                    size_t at = static_cast<size_t>(sy * sheet.width + sx);
                    if (owner[at] >= 0 && sheet.at(sx, sy) != sprite.at(x, y)) {
                        std::ostringstream msg;
                        msg << "sprite '" << st.word(1) << "' paints sheet pixel (" << sx << ","
                            << sy << ") differently from '"
                            << placed[static_cast<size_t>(owner[at])]
                            << "', which shares that cell";
                        st.fail(msg.str());
                    }
                    sheet.set(sx, sy, sprite.at(x, y));
                    owner[at] = me;
                }
            }
        } else {
            st.fail("expected 'size W H' or 'place SPRITE X Y'");
        }
        st.finish();
    }
    if (!sheet.width)
        throw SourceError(layout.name, 0, "no 'size W H' line");
    return sheet;
}

// ---------------------------------------------------------------- title panels

namespace {

// 4x4 ordered dither thresholds, the classic way to blend colour bands.
const int BAYER_4[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

Rgb mix(Rgb a, Rgb b, double t)
{
    auto ch = [t](uint8_t x, uint8_t y) {
        return static_cast<uint8_t>(std::lround(x + (y - x) * t));
    };
    return Rgb{ch(a.r, b.r), ch(a.g, b.g), ch(a.b, b.b)};
}

struct Box {
    int x0, y0, x1, y1;  // x1, y1 exclusive
};

// The area X Y W H that a drawing statement gives in its words 1 to 4.
struct Area {
    int x, y, w, h;
};
Area area_words(const Statement& st)
{
    Area area{};
    area.x = st.integer(1, "x");
    area.y = st.integer(2, "y");
    area.w = st.integer(3, "width");
    area.h = st.integer(4, "height");
    return area;
}

class PanelPainter {
public:
    PanelPainter(const SourceFile& layout, const Palette& palette, const SpriteLibrary& sprites,
                 const Glyphs& glyphs)
        : layout_(layout), palette_(palette), sprites_(sprites), glyphs_(glyphs)
    {
    }

    Image run();

private:
    void command(const Statement& st);
    void need_panel(const Statement& st) const;
    // Pixels of the current panel only; coordinates are relative to its corner.
    void plot(int x, int y, Rgb c)
    {
        if (x < 0 || y < 0 || x >= panel_w_ || y >= panel_h_)
            return;
        sheet_.set(panel_x_ + x, panel_y_ + y, c);
    }
    void fill_box(Box b, Rgb c)
    {
        for (int y = b.y0; y < b.y1; ++y)
            for (int x = b.x0; x < b.x1; ++x)
                plot(x, y, c);
    }
    // Things a player must see may not sit under the score line.
    void keep_out_of_score_band(const Statement& st, Box b) const;
    void draw_sprite(const Statement& st, const Image& sprite, int x, int y, int scale, bool flip);
    // The one-pixel edges of a box: the top and left in one colour, then the
    // bottom and right in another (a frame gives both the same).
    void edge_box(Box b, Rgb top_left, Rgb bottom_right)
    {
        fill_box(Box{b.x0, b.y0, b.x1, b.y0 + 1}, top_left);
        fill_box(Box{b.x0, b.y0, b.x0 + 1, b.y1}, top_left);
        fill_box(Box{b.x0, b.y1 - 1, b.x1, b.y1}, bottom_right);
        fill_box(Box{b.x1 - 1, b.y0, b.x1, b.y1}, bottom_right);
    }
    void draw_text(const Statement& st);
    Rgb colour_word(const Statement& st, size_t i) const { return palette_.colour(st, st.word(i)); }
    Rgb colour_option(const Statement& st, const std::string& key, Rgb fallback) const
    {
        std::string name = st.text_option(key, "");
        return name.empty() ? fallback : palette_.colour(st, name);
    }

    const SourceFile& layout_;
    const Palette& palette_;
    const SpriteLibrary& sprites_;
    const Glyphs& glyphs_;
    Image sheet_;
    int panel_w_ = 0, panel_h_ = 0, score_band_ = 0;
    int panel_x_ = -1, panel_y_ = -1, panel_line_ = 0;
    std::vector<std::pair<Box, int>> panels_;  // sheet box and declaring line
};

void PanelPainter::need_panel(const Statement& st) const
{
    if (panel_x_ < 0)
        st.fail("drawing before the first 'panel X Y'");
}

void PanelPainter::keep_out_of_score_band(const Statement& st, Box b) const
{
    if (b.y0 < score_band_)
        st.fail("this reaches row " + std::to_string(b.y0) + " of the panel; rows 0.."
                + std::to_string(score_band_ - 1) + " are covered by the score line");
}

void PanelPainter::draw_sprite(const Statement& st, const Image& sprite, int x, int y, int scale,
                               bool flip)
{
    keep_out_of_score_band(st, Box{x, y, x + sprite.width * scale, y + sprite.height * scale});
    for (int sy = 0; sy < sprite.height * scale; ++sy) {
        for (int sx = 0; sx < sprite.width * scale; ++sx) {
            int u = sx / scale, v = sy / scale;
            if (flip)
                u = sprite.width - 1 - u;
            if (sprite.opaque(u, v))
                plot(x + sx, y + sy, sprite.at(u, v));
        }
    }
}

// text X Y "WORDS" colour=C [to=C] [scale=N] [align=left|center|right]
//      [outline=C] [shadow=C] [drop=N]
// `to` shades the letters from top to bottom; the outline is one pixel round
// the letters and the shadow repeats the outlined shape `drop` pixels down-right.
void PanelPainter::draw_text(const Statement& st)
{
    st.expect_words(4, 4, "text X Y \"WORDS\" colour=C ...");
    if (!st.is_quoted(3))
        st.fail("the words of a text line go in double quotes");
    const std::string& words = st.word(3);
    int scale = st.integer_option("scale", 1, 1, 8);
    Rgb top = colour_option(st, "colour", Rgb{255, 255, 255});
    Rgb bottom = colour_option(st, "to", top);
    bool outlined = st.has("outline"), shadowed = st.has("shadow");
    Rgb outline = colour_option(st, "outline", Rgb{});
    Rgb shadow = colour_option(st, "shadow", Rgb{});
    int drop = st.integer_option("drop", scale, 1, 16);
    std::string align = st.text_option("align", "left");
    int w = static_cast<int>(words.size()) * 8 * scale, h = 8 * scale;
    int x = st.integer(1, "x"), y = st.integer(2, "y");
    if (align == "center")
        x -= w / 2;
    else if (align == "right")
        x -= w;
    else if (align != "left")
        st.fail("align is left, center or right");
    for (char c : words)
        if (c < ' ' || c > '~')
            st.fail("text may hold only printable ASCII");

    // The letters as a mask with a one-pixel margin for the outline.
    int mw = w + 2, mh = h + 2;
    std::vector<uint8_t> letters(static_cast<size_t>(mw * mh), 0), ring(letters.size(), 0);
    for (size_t i = 0; i < words.size(); ++i) {
        const auto& rows = glyphs_.rows[static_cast<size_t>(words[i])];
        for (int py = 0; py < h; ++py)
            for (int px = 0; px < 8 * scale; ++px)
                if (rows[static_cast<size_t>(py / scale)] & (0x80 >> (px / scale)))
                    letters[static_cast<size_t>((py + 1) * mw + 1 + static_cast<int>(i) * 8 * scale
                                                + px)] = 1;
    }
    for (int py = 0; py < mh; ++py)
        for (int px = 0; px < mw; ++px)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    int qx = px + dx, qy = py + dy;
                    if (qx >= 0 && qy >= 0 && qx < mw && qy < mh
                        && letters[static_cast<size_t>(qy * mw + qx)])
                        ring[static_cast<size_t>(py * mw + px)] = 1;
                }
    const std::vector<uint8_t>& body = outlined ? ring : letters;
    int reach = outlined ? 1 : 0;
    keep_out_of_score_band(st, Box{x - reach, y - reach, x + w + reach + (shadowed ? drop : 0),
                                   y + h + reach + (shadowed ? drop : 0)});
    if (shadowed)
        for (int py = 0; py < mh; ++py)
            for (int px = 0; px < mw; ++px)
                if (body[static_cast<size_t>(py * mw + px)])
                    plot(x - 1 + px + drop, y - 1 + py + drop, shadow);
    if (outlined)
        for (int py = 0; py < mh; ++py)
            for (int px = 0; px < mw; ++px)
                if (ring[static_cast<size_t>(py * mw + px)])
                    plot(x - 1 + px, y - 1 + py, outline);
    for (int py = 0; py < mh; ++py) {
        Rgb c = mix(top, bottom, h > 1 ? static_cast<double>(py - 1) / (h - 1) : 0.0);
        for (int px = 0; px < mw; ++px)
            if (letters[static_cast<size_t>(py * mw + px)])
                plot(x - 1 + px, y - 1 + py, c);
    }
}

void PanelPainter::command(const Statement& st)
{
    const std::string& verb = st.word(0);
    if (verb == "size") {
        st.expect_words(3, 3, "size W H");
        if (sheet_.width)
            st.fail("size given twice");
        sheet_ = sheet_of_size(st);
    } else if (verb == "panel_size") {
        st.expect_words(3, 3, "panel_size W H");
        panel_w_ = st.integer(1, "width");
        panel_h_ = st.integer(2, "height");
        if (panel_w_ <= 0 || panel_h_ <= 0)
            st.fail("unreasonable panel size");
    } else if (verb == "score_band") {
        st.expect_words(2, 2, "score_band ROWS");
        score_band_ = st.integer(1, "rows");
    } else if (verb == "panel") {
        st.expect_words(3, 3, "panel X Y");
        if (!sheet_.width || !panel_w_)
            st.fail("'size' and 'panel_size' must come first");
        panel_x_ = st.integer(1, "x");
        panel_y_ = st.integer(2, "y");
        panel_line_ = st.line();
        if (panel_x_ < 0 || panel_y_ < 0 || panel_x_ + panel_w_ > sheet_.width
            || panel_y_ + panel_h_ > sheet_.height)
            st.fail("the panel does not fit on the sheet");
        panels_.push_back(
            {Box{panel_x_, panel_y_, panel_x_ + panel_w_, panel_y_ + panel_h_}, panel_line_});
    } else if (verb == "fill") {
        st.expect_words(2, 2, "fill COLOUR");
        need_panel(st);
        fill_box(Box{0, 0, panel_w_, panel_h_}, colour_word(st, 1));
    } else if (verb == "rect" || verb == "frame") {
        st.expect_words(6, 6, "rect|frame X Y W H COLOUR");
        need_panel(st);
        const auto [x, y, w, h] = area_words(st);
        Rgb c = colour_word(st, 5);
        if (verb == "rect") {
            fill_box(Box{x, y, x + w, y + h}, c);
        } else {
            keep_out_of_score_band(st, Box{x, y, x + w, y + h});
            edge_box(Box{x, y, x + w, y + h}, c, c);
        }
    } else if (verb == "bevel") {
        // A raised box: face colour, light top-left edge, dark bottom-right edge.
        st.expect_words(8, 8, "bevel X Y W H FACE LIGHT DARK");
        need_panel(st);
        const auto [x, y, w, h] = area_words(st);
        keep_out_of_score_band(st, Box{x, y, x + w, y + h});
        fill_box(Box{x, y, x + w, y + h}, colour_word(st, 5));
        const Rgb light = colour_word(st, 6), dark = colour_word(st, 7);
        edge_box(Box{x, y, x + w, y + h}, light, dark);
    } else if (verb == "gradient") {
        // gradient X Y W H TOP BOTTOM [bands=N]: a dithered vertical blend.
        st.expect_words(7, 7, "gradient X Y W H TOP BOTTOM [bands=N]");
        need_panel(st);
        const auto [x, y, w, h] = area_words(st);
        Rgb top = colour_word(st, 5), bottom = colour_word(st, 6);
        int bands = st.integer_option("bands", 8, 2, 64);
        for (int py = 0; py < h; ++py) {
            double pos = (py + 0.5) / h * (bands - 1);
            int band = static_cast<int>(std::floor(pos));
            double frac = pos - band;
            for (int px = 0; px < w; ++px) {
                int gx = x + px, gy = y + py;
                double threshold = (BAYER_4[gy & 3][gx & 3] + 0.5) / 16.0;
                int pick = std::min(bands - 1, band + (frac > threshold ? 1 : 0));
                plot(gx, gy, mix(top, bottom, static_cast<double>(pick) / (bands - 1)));
            }
        }
    } else if (verb == "stars") {
        // stars X Y W H SEED COUNT COLOUR... [bright=N]: scattered points; the
        // first `bright` stars get a small cross.
        if (st.size() < 8)
            st.fail("expected: stars X Y W H SEED COUNT COLOUR... [bright=N]");
        need_panel(st);
        const auto [x, y, w, h] = area_words(st);
        if (w <= 0 || h <= 0)
            st.fail("the star field needs a size");
        Prng prng(static_cast<uint32_t>(st.integer(5, "seed")));
        int count = st.integer(6, "count");
        std::vector<Rgb> colours;
        for (size_t i = 7; i < st.size(); ++i)
            colours.push_back(colour_word(st, i));
        int bright = st.integer_option("bright", 0, 0, 1000);
        for (int n = 0; n < count; ++n) {
            int sx = x + static_cast<int>(prng.below(static_cast<uint32_t>(w)));
            int sy = y + static_cast<int>(prng.below(static_cast<uint32_t>(h)));
            Rgb c = colours[prng.below(static_cast<uint32_t>(colours.size()))];
            plot(sx, sy, c);
            if (n < bright) {
                Rgb glow = colours.back();
                plot(sx - 1, sy, glow);
                plot(sx + 1, sy, glow);
                plot(sx, sy - 1, glow);
                plot(sx, sy + 1, glow);
                plot(sx, sy, colours.front());
            }
        }
    } else if (verb == "sprite") {
        st.expect_words(4, 4, "sprite NAME X Y [scale=N] [flip=yes]");
        need_panel(st);
        const Image& sprite = find_sprite(sprites_, st, st.word(1));
        int scale = st.integer_option("scale", 1, 1, 8);
        std::string flip = st.text_option("flip", "no");
        if (flip != "yes" && flip != "no")
            st.fail("flip is yes or no");
        draw_sprite(st, sprite, st.integer(2, "x"), st.integer(3, "y"), scale, flip == "yes");
    } else if (verb == "tile") {
        st.expect_words(6, 6, "tile NAME X Y W H");
        need_panel(st);
        const Image& sprite = find_sprite(sprites_, st, st.word(1));
        int x = st.integer(2, "x"), y = st.integer(3, "y");
        int w = st.integer(4, "width"), h = st.integer(5, "height");
        keep_out_of_score_band(st, Box{x, y, x + w, y + h});
        for (int py = 0; py < h; ++py)
            for (int px = 0; px < w; ++px) {
                int u = px % sprite.width, v = py % sprite.height;
                if (sprite.opaque(u, v))
                    plot(x + px, y + py, sprite.at(u, v));
            }
    } else if (verb == "text") {
        need_panel(st);
        draw_text(st);
    } else {
        st.fail("unknown command '" + verb + "'");
    }
    st.finish();
}

Image PanelPainter::run()
{
    for (size_t i = 0; i < layout_.lines.size(); ++i) {
        Statement st(layout_, static_cast<int>(i));
        if (!st.empty())
            command(st);
    }
    if (!sheet_.width)
        throw SourceError(layout_.name, 0, "no 'size W H' line");
    // Panels are copied opaque, so any pixel left at the mask colour would
    // show as a magenta hole; name the panel that has one.
    for (int y = 0; y < sheet_.height; ++y)
        for (int x = 0; x < sheet_.width; ++x) {
            if (sheet_.opaque(x, y))
                continue;
            std::ostringstream msg;
            msg << "pixel (" << x << "," << y << ") of the title sheet is left unpainted";
            int line = 0;
            for (const auto& p : panels_)
                if (x >= p.first.x0 && x < p.first.x1 && y >= p.first.y0 && y < p.first.y1)
                    line = p.second;
            if (line == 0)
                msg << " (no panel covers it)";
            throw SourceError(layout_.name, line, msg.str());
        }
    return sheet_;
}

}  // namespace

Image build_title_sheet(const SourceFile& layout, const Palette& palette,
                        const SpriteLibrary& sprites, const Glyphs& glyphs)
{
    return PanelPainter(layout, palette, sprites, glyphs).run();
}
