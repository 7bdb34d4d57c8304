#include "export_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "base/game_state.h"
#include "enemies/enemy_groups.h"
#include "levels/level_export.h"
#include "levels/load_level.h"

namespace {

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

bool fail(ExportProblem& problem, int line, int field, std::string what)
{
    problem.line = line;
    problem.field = field;
    problem.what = std::move(what);
    return false;
}

// The fields of one line, text[begin, end) without its CR LF. A field is a
// space or a minus sign, the digits, a comma and spaces up to 14 characters.
// A run of spaces after a comma that ends at a digit gives its last space to
// the next field as that number's sign.
bool read_fields(const std::string& text, size_t begin, size_t end, int line,
                 std::vector<int32_t>& values, ExportProblem& problem)
{
    values.clear();
    size_t at = begin;
    int field = 1;
    while (at < end) {
        const size_t start = at;
        const char sign = text[at];
        if (sign != ' ' && sign != '-')
            return fail(problem, line, field,
                        "starts with " + shown(sign) + " where a space or a minus sign belongs");
        ++at;
        const size_t digits = at;
        while (at < end && is_digit(text[at]))
            ++at;
        const size_t count = at - digits;
        if (count == 0)
            return fail(problem, line, field,
                        at < end ? "has " + shown(text[at]) + " where its number belongs"
                                 : std::string("breaks off before its number"));
        if (count > 10)
            return fail(problem, line, field,
                        "holds a number of " + std::to_string(count) + " digits");
        if (count > 1 && text[digits] == '0')
            return fail(problem, line, field, "holds a number with a leading zero");
        int64_t value = 0;
        for (size_t i = digits; i < at; ++i)
            value = value * 10 + (text[i] - '0');
        if (sign == '-')
            value = -value;
        if (sign == '-' && value == 0)
            return fail(problem, line, field, "holds -0");
        if (at >= end || text[at] != ',')
            return fail(problem, line, field,
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
                return fail(problem, line, field,
                            "has " + shown(next) + " where only spaces belong after the comma");
        }
        const size_t width = padding_end - start;
        if (width != size_t(PRINT_ZONE))
            return fail(problem, line, field,
                        "is " + std::to_string(width) + " characters wide; every field is "
                            + std::to_string(PRINT_ZONE));
        if (!is_tile_code(value))
            return fail(problem, line, field,
                        "holds " + std::to_string(value) + ", which is no tile code");
        values.push_back(int32_t(value));
        at = padding_end;
        ++field;
    }
    if (int(values.size()) != expected_fields(line))
        return fail(problem, line, 0,
                    "has " + std::to_string(values.size()) + " fields; line 1 has "
                        + std::to_string(FIRST_LINE_FIELDS) + " and every other line "
                        + std::to_string(LINE_FIELDS));
    return true;
}

}  // namespace

LevelGrid empty_level_grid()
{
    return LevelGrid(GRID_CELLS, TILE_EMPTY);
}

LevelGrid builtin_level_grid(int32_t number)
{
    LevelGrid grid = empty_level_grid();
    load_level(number, grid.data());
    return grid;
}

std::string describe_problem(const ExportProblem& problem)
{
    std::string where;
    if (problem.line > EXPORT_LINES)
        where = "after line " + std::to_string(EXPORT_LINES) + ": ";
    else if (problem.line > 0 && problem.field > 0) {
        where = "line " + std::to_string(problem.line) + ", field " + std::to_string(problem.field);
        if (problem.field <= expected_fields(problem.line))
            where += " (row " + std::to_string(problem.line) + ", column "
                     + std::to_string(field_column(problem.line, problem.field)) + ")";
        where += ": the field ";
    } else if (problem.line > 0)
        where = "line " + std::to_string(problem.line) + ": the line ";
    else
        where = "the file ";
    return where + problem.what;
}

bool is_tile_code(int64_t value)
{
    if (value < INT32_MIN || value > INT32_MAX)
        return false;
    const int32_t code = int32_t(value);
    return code == TILE_EMPTY || code == TILE_PLAYER || code == TILE_BLOCK
           || enemy_group_of(code) != nullptr || code == TILE_CURSOR || code == TILE_DROP;
}

bool read_level_export(const std::string& text, LevelGrid& grid, ExportProblem& problem)
{
    grid = empty_level_grid();
    if (text.empty())
        return fail(problem, 0, 0, "is empty");
    std::vector<int32_t> values;
    size_t at = 0;
    for (int line = 1; line <= EXPORT_LINES; ++line) {
        if (at == text.size())
            return fail(problem, 0, 0,
                        "ends after line " + std::to_string(line - 1) + "; an export has "
                            + std::to_string(EXPORT_LINES) + " lines");
        const size_t lf = text.find('\n', at);
        if (lf == std::string::npos)
            return fail(problem, line, 0, "breaks off: the file ends inside it, before its CR LF");
        if (lf == at || text[lf - 1] != '\r')
            return fail(problem, line, 0, "ends in an LF without a CR before it");
        if (!read_fields(text, at, lf - 1, line, values, problem))
            return false;
        for (int field = 1; field <= int(values.size()); ++field)
            grid[size_t(line) * GRID_COLUMNS + size_t(field_column(line, field))] =
                values[size_t(field) - 1];
        at = lf + 1;
    }
    if (at == text.size())
        return true;
    const std::string rest = text.substr(at);
    if (rest.size() >= 2 && rest.compare(rest.size() - 2, 2, "\r\n") == 0) {
        size_t lines = 0;
        for (char c : rest)
            lines += c == '\n';
        return fail(problem, 0, 0,
                    "has " + std::to_string(EXPORT_LINES + lines) + " lines; an export has "
                        + std::to_string(EXPORT_LINES));
    }
    return fail(problem, EXPORT_LINES + 1, 0,
                "the file goes on for " + std::to_string(rest.size())
                    + (rest.size() == 1 ? " more byte" : " more bytes") + ", where an export ends");
}
