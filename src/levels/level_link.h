// A level as a link: the cells of the editor's export packed small, deflated
// and written in base64url after "#level=" (to play it) or "#edit=" (to open
// it in the editor) at the end of the page's address. The fragment never
// reaches a server. The page, the runners and the level tool all pack and
// unpack through here; the platform does the deflating (zlib on the desktop,
// the browser's own compression in the page).
//
// The packed form: a format byte, then the cells the export holds, column by
// column from column 0 and down each column from row 1 (cell (1, 0) left
// out), as pairs of (empty cells before it, its value), each a base-128
// number, the value zigzagged so that a small negative one stays short; then
// the empty cells after the last value; then a CRC-32 of everything before
// it, so that a link changed in transit is refused rather than read as some
// other level.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "levels/level_file.h"

// The page scripts/web.sh serves, where a link leads unless told otherwise.
constexpr const char* LEVEL_LINK_PAGE = "http://127.0.0.1:8000/";
constexpr const char* LEVEL_LINK_PLAY = "#level=";
constexpr const char* LEVEL_LINK_EDIT = "#edit=";

// The largest packed level (every cell a five-byte value) and the longest
// link text read: anything longer is refused before it is unpacked.
constexpr size_t LEVEL_LINK_MAX_PACKED = 1 + 6 * 10239 + 5 + 4;
constexpr size_t LEVEL_LINK_MAX_TEXT = 96 * 1024;

// The packed form of a grid's exported cells (GRID_ROWS x GRID_COLUMNS,
// row-major), its check included.
std::vector<uint8_t> pack_level_cells(const int32_t* grid);

// The grid of a packed form: the cells the export holds, the rest empty.
// False, with the reason in `error`, for anything pack_level_cells never
// makes (a failed check, a cut or overlong form, a number past 32 bits).
bool unpack_level_cells(const uint8_t* bytes, size_t size, LevelGrid& grid, std::string& error);

std::string base64url_text(const uint8_t* bytes, size_t size);
// False for a character outside base64url or a length no encoding gives.
bool base64url_bytes(const std::string& text, std::vector<uint8_t>& bytes);

// Whether a text is a level link: an address (or only its fragment) whose
// fragment starts with "#level=" or "#edit=".
bool is_level_link(const std::string& text);

// The link of a grid: page + "#level=" (or "#edit=") + the packed cells,
// deflated, in base64url. False only when the platform cannot deflate.
bool make_level_link(const int32_t* grid, const std::string& page, bool edit, std::string& link);
// The same from packed cells the caller deflated (the page deflates with the
// browser's own compression).
std::string level_link_of_deflated(const uint8_t* deflated, size_t size, const std::string& page,
                                   bool edit);

// The level of a link as the text of the export it came from, byte for byte,
// and whether it asks for the editor. False, with one line in `error`, for a
// link that is cut, damaged or no level link at all; the text is then still
// to be checked by the level reader like any file's.
bool level_link_export(const std::string& link, std::string& text, bool& edit, std::string& error);

// Why a link whose payload does not inflate (within LEVEL_LINK_MAX_PACKED
// bytes) is refused.
constexpr const char* LEVEL_LINK_NOT_UNPACKED =
    "it is cut or damaged (its level cannot be unpacked)";

// The first half of that: the link's payload as the deflated bytes it
// holds, for a caller that inflates them itself (the page).
bool level_link_deflated(const std::string& link, std::vector<uint8_t>& deflated, bool& edit,
                         std::string& error);

// The same for a link's payload already inflated by the caller (the page
// inflates with the browser's own decompression).
bool packed_level_export(const uint8_t* bytes, size_t size, std::string& text, std::string& error);
