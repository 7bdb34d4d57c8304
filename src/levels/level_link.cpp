#include "levels/level_link.h"

#include "base/game_state.h"
#include "base/platform.h"
#include "levels/level_export.h"

namespace {

// The first byte of every packed level; another is a form this game cannot
// read (a later one's, or none at all).
constexpr uint8_t PACKED_FORM = 1;
constexpr size_t CHECK_BYTES = 4;

const char BASE64URL[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

// CRC-32 as zlib and PNG compute it (reflected, polynomial 0xEDB88320).
uint32_t crc32_of(const uint8_t* bytes, size_t size)
{
    uint32_t crc = 0xffffffffu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void put_number(uint32_t value, std::vector<uint8_t>& out)
{
    while (value >= 0x80) {
        out.push_back(uint8_t(value | 0x80));
        value >>= 7;
    }
    out.push_back(uint8_t(value));
}

// A base-128 number of at most 32 bits; false past the end or past 32 bits.
bool take_number(const uint8_t* bytes, size_t size, size_t& at, uint32_t& value)
{
    value = 0;
    for (int shift = 0; shift < 35; shift += 7) {
        if (at >= size)
            return false;
        const uint8_t byte = bytes[at++];
        if (shift == 28 && (byte & 0x70))
            return false;
        value |= uint32_t(byte & 0x7f) << shift;
        if (!(byte & 0x80))
            return true;
    }
    return false;
}

uint32_t zigzag(int32_t value)
{
    return (uint32_t(value) << 1) ^ (value < 0 ? 0xffffffffu : 0u);
}

int32_t unzigzag(uint32_t value)
{
    return int32_t((value >> 1) ^ (0u - (value & 1u)));
}

// The cells the export holds, in packing order: column by column, so that a
// level's towers and runs of blocks lie next to each other.
template <typename Visit>
void for_each_packed_cell(Visit&& visit)
{
    for (int32_t column = 0; column < GRID_COLUMNS; ++column)
        for (int32_t row = 1; row < GRID_ROWS; ++row)
            if (export_holds_cell(row, column))
                visit(row * GRID_COLUMNS + column);
}

int base64url_value(char c)
{
    for (int i = 0; i < 64; ++i)
        if (BASE64URL[i] == c)
            return i;
    return -1;
}

// The payload of a link: what follows "#level=" or "#edit=".
bool link_payload(const std::string& link, std::string& payload, bool& edit)
{
    const size_t hash = link.find('#');
    if (hash == std::string::npos)
        return false;
    for (const char* marker : {LEVEL_LINK_PLAY, LEVEL_LINK_EDIT})
        if (link.compare(hash, std::string(marker).size(), marker) == 0) {
            edit = marker == LEVEL_LINK_EDIT;
            payload = link.substr(hash + std::string(marker).size());
            return true;
        }
    return false;
}

}  // namespace

std::vector<uint8_t> pack_level_cells(const int32_t* grid)
{
    std::vector<uint8_t> out{PACKED_FORM};
    uint32_t empty = 0;
    for_each_packed_cell([&](int32_t cell) {
        if (grid[cell] == TILE_EMPTY) {
            ++empty;
            return;
        }
        put_number(empty, out);
        put_number(zigzag(grid[cell]), out);
        empty = 0;
    });
    put_number(empty, out);
    const uint32_t check = crc32_of(out.data(), out.size());
    for (size_t i = 0; i < CHECK_BYTES; ++i)
        out.push_back(uint8_t(check >> (8 * i)));
    return out;
}

bool unpack_level_cells(const uint8_t* bytes, size_t size, LevelGrid& grid, std::string& error)
{
    error = "it is damaged (its check does not match what it holds)";
    if (size < 1 + 1 + CHECK_BYTES || size > LEVEL_LINK_MAX_PACKED)
        return false;
    const size_t body = size - CHECK_BYTES;
    uint32_t check = 0;
    for (size_t i = 0; i < CHECK_BYTES; ++i)
        check |= uint32_t(bytes[body + i]) << (8 * i);
    if (crc32_of(bytes, body) != check)
        return false;
    if (bytes[0] != PACKED_FORM) {
        error =
            "it was made by another version of the game (form " + std::to_string(bytes[0]) + ")";
        return false;
    }
    // Every cell in order: a run of empty cells, then a value, until the runs
    // and values have covered the cells exactly.
    std::vector<int32_t> cells;
    for_each_packed_cell([&](int32_t cell) { cells.push_back(cell); });
    grid = empty_level_grid();
    error = "it does not hold a whole level";
    size_t at = 1, next = 0;
    for (;;) {
        uint32_t empty = 0, value = 0;
        if (!take_number(bytes, body, at, empty) || empty > cells.size() - next)
            return false;
        next += empty;
        if (at == body)
            return next == cells.size();
        if (next == cells.size() || !take_number(bytes, body, at, value) || value == 0)
            return false;
        grid[size_t(cells[next++])] = unzigzag(value);
    }
}

std::string base64url_text(const uint8_t* bytes, size_t size)
{
    std::string text;
    for (size_t i = 0; i < size; i += 3) {
        const uint32_t group = uint32_t(bytes[i]) << 16
                               | (i + 1 < size ? uint32_t(bytes[i + 1]) << 8 : 0)
                               | (i + 2 < size ? uint32_t(bytes[i + 2]) : 0);
        const size_t characters = size - i >= 3 ? 4 : size - i + 1;
        for (size_t c = 0; c < characters; ++c)
            text += BASE64URL[group >> (18 - 6 * c) & 63];
    }
    return text;
}

bool base64url_bytes(const std::string& text, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    if (text.size() % 4 == 1)
        return false;
    uint32_t group = 0;
    int bits = 0;
    for (char c : text) {
        const int value = base64url_value(c);
        if (value < 0)
            return false;
        group = (group << 6 | uint32_t(value)) & 0xffffff;
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes.push_back(uint8_t(group >> bits));
        }
    }
    // The bits left over must be zero, as an encoder leaves them.
    return (group & ((1u << bits) - 1)) == 0;
}

bool is_level_link(const std::string& text)
{
    std::string payload;
    bool edit = false;
    return link_payload(text, payload, edit);
}

std::string level_link_of_deflated(const uint8_t* deflated, size_t size, const std::string& page,
                                   bool edit)
{
    return page + (edit ? LEVEL_LINK_EDIT : LEVEL_LINK_PLAY) + base64url_text(deflated, size);
}

bool make_level_link(const int32_t* grid, const std::string& page, bool edit, std::string& link)
{
    const std::vector<uint8_t> packed = pack_level_cells(grid);
    std::vector<uint8_t> deflated;
    if (!deflate_bytes(packed.data(), packed.size(), deflated))
        return false;
    link = level_link_of_deflated(deflated.data(), deflated.size(), page, edit);
    return true;
}

bool packed_level_export(const uint8_t* bytes, size_t size, std::string& text, std::string& error)
{
    LevelGrid grid;
    if (!unpack_level_cells(bytes, size, grid, error))
        return false;
    text.assign(size_t(EXPORT_FILE_SIZE), '\0');
    format_level_export(grid.data(), text.data());
    return true;
}

bool level_link_deflated(const std::string& link, std::vector<uint8_t>& deflated, bool& edit,
                         std::string& error)
{
    std::string payload;
    if (!link_payload(link, payload, edit)) {
        error = "it is no level link (one ends in #level=... or #edit=...)";
        return false;
    }
    if (payload.size() > LEVEL_LINK_MAX_TEXT) {
        error = "it is far longer than any level's link";
        return false;
    }
    if (!base64url_bytes(payload, deflated)) {
        error = "it is cut or damaged (it holds characters or a length no link has)";
        return false;
    }
    return true;
}

bool level_link_export(const std::string& link, std::string& text, bool& edit, std::string& error)
{
    std::vector<uint8_t> deflated, packed;
    if (!level_link_deflated(link, deflated, edit, error))
        return false;
    if (!inflate_bytes(deflated.data(), deflated.size(), LEVEL_LINK_MAX_PACKED, packed)) {
        error = LEVEL_LINK_NOT_UNPACKED;
        return false;
    }
    return packed_level_export(packed.data(), packed.size(), text, error);
}
