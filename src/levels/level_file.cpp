#include "levels/level_file.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "base/game_state.h"
#include "levels/level_export.h"

namespace {

// The tile codes a level may hold: empty, player, block, the four enemy
// groups' slot codes, the cursor anchor and the drop marker.
bool is_tile_code(int64_t value)
{
    return value == TILE_EMPTY || value == TILE_PLAYER || value == TILE_BLOCK
           || (value >= ENEMY_CODES_FIRST && value < ENEMY_CODES_END) || value == TILE_CURSOR
           || value == TILE_DROP;
}

constexpr int FIRST_LINE_FIELDS = 511;
constexpr int LINE_FIELDS = 512;

int expected_fields(int line)
{
    return line == 1 ? FIRST_LINE_FIELDS : LINE_FIELDS;
}

// Line 1 starts at column 1; every later line starts at column 0.
int field_column(int line, int field)
{
    return line == 1 ? field : field - 1;
}

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

// A byte as a reader of the message can find it in the file.
std::string shown(char c)
{
    char text[16];
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte == '\r')
        return "a CR";
    if (byte == '\n')
        return "an LF";
    if (byte == '\t')
        return "a tab";
    if (byte >= 0x20 && byte < 0x7f)
        std::snprintf(text, sizeof text, "'%c'", c);
    else
        std::snprintf(text, sizeof text, "byte 0x%02x", byte);
    return text;
}

using Problems = std::vector<ExportProblem>;

bool fail(Problems& problems, int line, int field, std::string what)
{
    problems.push_back({line, field, std::move(what)});
    return false;
}

// The file line and field of a cell the export holds.
int cell_line(int32_t row)
{
    return row;
}

int cell_field(int32_t row, int32_t column)
{
    return row == 1 ? column : column + 1;
}

std::string cell_name(int32_t row, int32_t column)
{
    return "row " + std::to_string(row) + ", column " + std::to_string(column);
}

// The fields of one line, text[begin, end) without its CR LF. A field is a
// space or a minus sign, the digits, a comma and spaces up to 14 characters.
// A run of spaces after a comma that ends at a digit gives its last space to
// the next field as that number's sign. Returns false at the first fault of
// form, which leaves the rest of the line unreadable; a well-formed value
// that is no tile code is reported, read as empty, and the line goes on.
bool read_fields(const std::string& text, size_t begin, size_t end, int line,
                 std::vector<int32_t>& values, Problems& problems)
{
    values.clear();
    size_t at = begin;
    int field = 1;
    while (at < end) {
        const size_t start = at;
        const char sign = text[at];
        if (sign != ' ' && sign != '-')
            return fail(problems, line, field,
                        "starts with " + shown(sign) + " where a space or a minus sign belongs");
        ++at;
        const size_t digits = at;
        while (at < end && is_digit(text[at]))
            ++at;
        const size_t count = at - digits;
        if (count == 0)
            return fail(problems, line, field,
                        at < end ? "has " + shown(text[at]) + " where its number belongs"
                                 : std::string("breaks off before its number"));
        if (count > 10)
            return fail(problems, line, field,
                        "holds a number of " + std::to_string(count) + " digits");
        if (count > 1 && text[digits] == '0')
            return fail(problems, line, field, "holds a number with a leading zero");
        int64_t value = 0;
        for (size_t i = digits; i < at; ++i)
            value = value * 10 + (text[i] - '0');
        if (sign == '-')
            value = -value;
        if (sign == '-' && value == 0)
            return fail(problems, line, field, "holds -0");
        if (at >= end || text[at] != ',')
            return fail(problems, line, field,
                        at < end
                            ? "has " + shown(text[at]) + " where the comma after its number belongs"
                            : std::string("breaks off before the comma after its number"));
        ++at;
        size_t padding_end = at;
        while (padding_end < end && text[padding_end] == ' ')
            ++padding_end;
        if (padding_end < end) {
            const char next = text[padding_end];
            if (is_digit(next) && padding_end > at)
                --padding_end;
            else if (!is_digit(next) && next != '-')
                return fail(problems, line, field,
                            "has " + shown(next) + " where only spaces belong after the comma");
        }
        const size_t width = padding_end - start;
        if (width != size_t(PRINT_ZONE))
            return fail(problems, line, field,
                        "is " + std::to_string(width) + " characters wide; every field is "
                            + std::to_string(PRINT_ZONE));
        if (!is_tile_code(value)) {
            fail(problems, line, field,
                 "holds " + std::to_string(value) + ", which is no tile code");
            value = TILE_EMPTY;
        }
        values.push_back(int32_t(value));
        at = padding_end;
        ++field;
    }
    if (int(values.size()) != expected_fields(line))
        return fail(problems, line, 0,
                    "has " + std::to_string(values.size()) + " fields; line 1 has "
                        + std::to_string(FIRST_LINE_FIELDS) + " and every other line "
                        + std::to_string(LINE_FIELDS));
    return true;
}

// Reads every line it can into the grid, in the order of the file. Returns
// whether every line was read: only then may a missing cell be told about.
bool read_export_lines(const std::string& text, LevelGrid& grid, Problems& problems)
{
    grid = empty_level_grid();
    if (text.empty())
        return fail(problems, 0, 0, "is empty");
    std::vector<int32_t> values;
    bool whole = true;
    size_t at = 0;
    for (int line = 1; line <= EXPORT_LINES; ++line) {
        if (at == text.size())
            return fail(problems, 0, 0,
                        "ends after line " + std::to_string(line - 1) + "; an export has "
                            + std::to_string(EXPORT_LINES) + " lines");
        const size_t lf = text.find('\n', at);
        if (lf == std::string::npos)
            return fail(problems, line, 0, "breaks off: the file ends inside it, before its CR LF");
        if (lf == at || text[lf - 1] != '\r')
            whole = fail(problems, line, 0, "ends in an LF without a CR before it");
        else if (!read_fields(text, at, lf - 1, line, values, problems))
            whole = false;
        else
            for (int field = 1; field <= int(values.size()); ++field)
                grid[size_t(line) * GRID_COLUMNS + size_t(field_column(line, field))] =
                    values[size_t(field) - 1];
        at = lf + 1;
    }
    if (at == text.size())
        return whole;
    const std::string rest = text.substr(at);
    if (rest.size() >= 2 && rest.compare(rest.size() - 2, 2, "\r\n") == 0) {
        size_t lines = 0;
        for (char c : rest)
            lines += c == '\n';
        return fail(problems, 0, 0,
                    "has " + std::to_string(EXPORT_LINES + lines) + " lines; an export has "
                        + std::to_string(EXPORT_LINES));
    }
    return fail(problems, EXPORT_LINES + 1, 0,
                "the file goes on for " + std::to_string(rest.size())
                    + (rest.size() == 1 ? " more byte" : " more bytes") + ", where an export ends");
}

int32_t grid_at(const LevelGrid& grid, int32_t row, int32_t column)
{
    return grid[size_t(row) * GRID_COLUMNS + size_t(column)];
}

// Each enemy code stands for one enemy slot: a code in two cells would make
// two anchors share one enemy. Every cell after the first is told about.
void check_enemy_codes(const LevelGrid& grid, Problems& problems)
{
    constexpr int32_t LAST_ENEMY_CODE = ENEMY_CODES_END - 1;
    int32_t first_row[LAST_ENEMY_CODE + 1] = {};
    int32_t first_column[LAST_ENEMY_CODE + 1] = {};
    for (int32_t row = 1; row < GRID_ROWS; ++row)
        for (int32_t column = 0; column < GRID_COLUMNS; ++column) {
            const int32_t code = grid_at(grid, row, column);
            if (!export_holds_cell(row, column) || code < ENEMY_CODES_FIRST
                || code > LAST_ENEMY_CODE)
                continue;
            if (first_row[code] == 0) {
                first_row[code] = row;
                first_column[code] = column;
                continue;
            }
            fail(problems, cell_line(row), cell_field(row, column),
                 "holds enemy code " + std::to_string(code) + ", as "
                     + cell_name(first_row[code], first_column[code])
                     + " does: two cells would share one enemy; give each its own code");
        }
}

// The world scan looks for the player code and the cursor anchor only in the
// window's columns from column 0 (it reads them relative to the view), and
// runs each one it finds: the level needs exactly one there.
struct Anchor {
    int32_t use;
    int32_t code;
    const char* name;
    const char* user;
};
constexpr Anchor ANCHORS[] = {
    {LEVEL_FOR_PLAY, TILE_PLAYER, "player code (1)", "play looks for the player"},
    {LEVEL_FOR_EDITOR, TILE_CURSOR, "cursor anchor (1014)", "the editor looks for its cursor"},
};
// The anchors' columns as messages name them.
const std::string ANCHOR_COLUMNS_TEXT = "in columns 0 to " + std::to_string(WINDOW_COLUMNS - 1);

void check_anchor(const Anchor& anchor, const LevelGrid& grid, bool whole, Problems& problems)
{
    int32_t found_row = 0, found_column = 0;
    for (int32_t row = 1; row < GRID_ROWS; ++row)
        for (int32_t column = 0; column < WINDOW_COLUMNS; ++column) {
            if (!export_holds_cell(row, column) || grid_at(grid, row, column) != anchor.code)
                continue;
            if (found_row == 0) {
                found_row = row;
                found_column = column;
                continue;
            }
            fail(problems, cell_line(row), cell_field(row, column),
                 std::string("holds a second ") + anchor.name + " " + ANCHOR_COLUMNS_TEXT + ", as "
                     + cell_name(found_row, found_column) + " does; " + anchor.user
                     + " there and needs exactly one");
        }
    if (found_row == 0 && whole)
        fail(problems, 0, 0,
             std::string("holds no ") + anchor.name + " " + ANCHOR_COLUMNS_TEXT + ", where "
                 + anchor.user);
}

// In the order of the file; what concerns the file as a whole comes last.
void sort_problems(Problems& problems)
{
    const auto place = [](const ExportProblem& p) {
        return p.line == 0 ? EXPORT_LINES + 2 : p.line;
    };
    std::stable_sort(problems.begin(), problems.end(),
                     [&](const ExportProblem& a, const ExportProblem& b) {
                         return place(a) != place(b) ? place(a) < place(b) : a.field < b.field;
                     });
}

}  // namespace

LevelGrid empty_level_grid()
{
    return LevelGrid(GRID_CELLS, TILE_EMPTY);
}

std::string describe_problem(const ExportProblem& problem)
{
    std::string where;
    if (problem.line > EXPORT_LINES)
        where = "after line " + std::to_string(EXPORT_LINES) + ": ";
    else if (problem.line > 0 && problem.field > 0) {
        where = "line " + std::to_string(problem.line) + ", field " + std::to_string(problem.field);
        if (problem.field <= expected_fields(problem.line))
            where +=
                " (" + cell_name(problem.line, field_column(problem.line, problem.field)) + ")";
        where += ": the field ";
    } else if (problem.line > 0)
        where = "line " + std::to_string(problem.line) + ": the line ";
    else
        where = "the file ";
    return where + problem.what;
}

bool export_holds_cell(int32_t row, int32_t column)
{
    return row >= 1 && row < GRID_ROWS && column >= 0 && column < GRID_COLUMNS - 1
           && !(row == 1 && column == 0);
}

bool read_level_export(const std::string& text, LevelGrid& grid, ExportProblem& problem)
{
    Problems problems;
    read_export_lines(text, grid, problems);
    if (problems.empty())
        return true;
    problem = problems.front();
    return false;
}

std::vector<ExportProblem> check_level_export(const std::string& text, int32_t uses,
                                              LevelGrid& grid)
{
    Problems problems;
    const bool whole = read_export_lines(text, grid, problems);
    check_enemy_codes(grid, problems);
    for (const Anchor& anchor : ANCHORS)
        if (uses & anchor.use)
            check_anchor(anchor, grid, whole, problems);
    sort_problems(problems);
    return problems;
}
