#include "level_source.h"

#include <algorithm>
#include <sstream>

#include "base/game_state.h"
#include "enemies/enemy_groups.h"

namespace {

// Placements per line in the tables: six enemies, eight drop markers; block
// runs take one line per row.
constexpr size_t ENEMIES_PER_LINE = 6;
constexpr size_t DROPS_PER_LINE = 8;
constexpr size_t COMMENT_WIDTH = 78;

bool is_enemy_code(int32_t code)
{
    return enemy_group_of(code) != nullptr;
}

std::string cell(int32_t row, int32_t column)
{
    return "(" + std::to_string(row) + ", " + std::to_string(column) + ")";
}

bool at(const CellPosition& place, int32_t row, int32_t column)
{
    return place.row == row && place.column == column;
}

// Two warnings each for the player marker and the cursor anchor: one that
// stands elsewhere is dropped, and one missing from its place is added back
// by load_level all the same.
struct Marker {
    int32_t code;
    CellPosition place;
    const char* name;
    bool found = false;
};

void add_block(std::vector<BlockRun>& runs, int32_t row, int32_t column)
{
    if (!runs.empty() && runs.back().row == row && runs.back().last + 2 == column)
        runs.back().last = int16_t(column);
    else
        runs.push_back({int16_t(row), int16_t(column), int16_t(column)});
}

void warn_repeated_codes(LevelSource& source)
{
    const auto& enemies = source.enemies;
    for (size_t i = 0; i < enemies.size();) {
        size_t j = i + 1;
        while (j < enemies.size() && enemies[j].code == enemies[i].code)
            ++j;
        if (j - i > 1) {
            std::string places;
            for (size_t k = i; k < j; ++k)
                places += (k == i       ? ""
                           : k + 1 == j ? " and "
                                        : ", ")
                          + cell(enemies[k].row, enemies[k].column);
            source.warnings.push_back(
                "Enemy code " + std::to_string(enemies[i].code) + " stands " + std::to_string(j - i)
                + " times, at " + places
                + ": one code is one enemy, so in the game they would share one enemy's "
                  "state. Give each its own code.");
        }
        i = j;
    }
}

// "level3" is headed "Level 3."; any other name stands for itself.
std::string heading(const std::string& name)
{
    const std::string prefix = "level";
    if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0
        && std::all_of(name.begin() + prefix.size(), name.end(),
                       [](char c) { return c >= '0' && c <= '9'; }))
        return "// Level " + name.substr(prefix.size()) + ".\n";
    return "// " + name + ".\n";
}

template <typename T, typename Write>
void write_items(std::ostringstream& text, const std::vector<T>& items, size_t per_line,
                 Write write)
{
    for (size_t i = 0; i < items.size(); ++i) {
        text << (i % per_line == 0 ? "    " : " ");
        write(items[i]);
        text << ",";
        if (i % per_line == per_line - 1 || i + 1 == items.size())
            text << "\n";
    }
}

}  // namespace

LevelSource describe_level(const LevelGrid& grid)
{
    LevelSource source;
    Marker markers[] = {
        {TILE_PLAYER, LEVEL_PLAYER_CELL, "player marker"},
        {TILE_CURSOR, LEVEL_CURSOR_CELL, "editor's cursor anchor"},
    };
    for (int32_t row = 0; row < GRID_ROWS; ++row) {
        for (int32_t column = 0; column < GRID_COLUMNS; ++column) {
            const int32_t code = grid[size_t(row) * GRID_COLUMNS + size_t(column)];
            if (code == TILE_EMPTY)
                continue;
            const std::string held = cell(row, column) + " holds code " + std::to_string(code);
            if (row == 0) {
                source.warnings.push_back(
                    held + ", but a level covers rows 1 to 20 only: it is left out.");
                continue;
            }
            if (column == 0) {
                source.warnings.push_back(
                    held + ", but load_level never writes column 0: it is left out.");
                continue;
            }
            if (code == TILE_BLOCK) {
                add_block(source.blocks, row, column);
            } else if (is_enemy_code(code)) {
                source.enemies.push_back({int16_t(code), int16_t(row), int16_t(column)});
            } else if (code == TILE_DROP) {
                source.drops.push_back({int16_t(row), int16_t(column)});
            } else if (code == TILE_PLAYER || code == TILE_CURSOR) {
                Marker& marker = code == TILE_PLAYER ? markers[0] : markers[1];
                if (at(marker.place, row, column))
                    marker.found = true;
                else
                    source.warnings.push_back(std::string("The ") + marker.name + " at "
                                              + cell(row, column)
                                              + " is left out: every level has it at "
                                              + cell(marker.place.row, marker.place.column)
                                              + ", where load_level puts it.");
            } else {
                source.warnings.push_back(held + ", which is no tile code: it is left out.");
            }
        }
    }
    for (const Marker& marker : markers)
        if (!marker.found)
            source.warnings.push_back(std::string("There is no ") + marker.name + " at "
                                      + cell(marker.place.row, marker.place.column)
                                      + ": load_level puts one there all the same.");
    // Already in row and column order; a stable sort by code keeps that
    // order among the cells of a repeated code.
    std::stable_sort(
        source.enemies.begin(), source.enemies.end(),
        [](const EnemyPlacement& a, const EnemyPlacement& b) { return a.code < b.code; });
    warn_repeated_codes(source);
    return source;
}

std::string level_tables_text(const LevelSource& source, const std::string& name)
{
    std::ostringstream text;
    text << heading(name);
    if (!source.blocks.empty()) {
        text << "const BlockRun " << name << "_blocks[] = {\n";
        for (size_t i = 0; i < source.blocks.size(); ++i) {
            const BlockRun& run = source.blocks[i];
            const bool row_starts = i == 0 || source.blocks[i - 1].row != run.row;
            const bool row_ends =
                i + 1 == source.blocks.size() || source.blocks[i + 1].row != run.row;
            text << (row_starts ? "    " : " ") << "{" << run.row << ", " << run.first << ", "
                 << run.last << "}," << (row_ends ? "\n" : "");
        }
        text << "};\n";
    }
    if (!source.enemies.empty()) {
        text << "const EnemyPlacement " << name << "_enemies[] = {\n";
        for (const EnemyGroupRow& group : ENEMY_GROUPS) {
            std::vector<EnemyPlacement> members;
            for (const EnemyPlacement& enemy : source.enemies)
                if (enemy_group_of(enemy.code) == &group)
                    members.push_back(enemy);
            text << "    // group " << group.letter << (members.empty() ? ": none" : "") << "\n";
            write_items(text, members, ENEMIES_PER_LINE, [&text](const EnemyPlacement& enemy) {
                text << "{" << enemy.code << ", " << enemy.row << ", " << enemy.column << "}";
            });
        }
        text << "};\n";
    }
    if (!source.drops.empty()) {
        text << "const CellPosition " << name << "_drops[] = {\n";
        write_items(text, source.drops, DROPS_PER_LINE, [&text](const CellPosition& drop) {
            text << "{" << drop.row << ", " << drop.column << "}";
        });
        text << "};\n";
    }
    return text.str();
}

std::string level_tables_entry(const LevelSource& source, const std::string& name)
{
    auto list = [&name](bool empty, const char* suffix) {
        return empty ? std::string("{nullptr, 0}") : "list(" + name + suffix + ")";
    };
    return "{" + list(source.blocks.empty(), "_blocks") + ", "
           + list(source.enemies.empty(), "_enemies") + ", " + list(source.drops.empty(), "_drops")
           + "},";
}

std::string comment_block(const std::string& text)
{
    std::string out;
    std::istringstream paragraphs(text);
    std::string paragraph;
    while (std::getline(paragraphs, paragraph)) {
        std::istringstream words(paragraph);
        std::string word;
        std::string line = "//";
        while (words >> word) {
            // A cell such as "(1, 0)" is kept on one line.
            std::string rest;
            while (word[0] == '(' && word.find(')') == std::string::npos && words >> rest)
                word += " " + rest;
            if (line.size() > 2 && line.size() + 1 + word.size() > COMMENT_WIDTH) {
                out += line + "\n";
                line = "//";
            }
            line += " " + word;
        }
        out += line + "\n";
    }
    return out;
}

bool is_table_name(const std::string& name)
{
    if (name.empty() || (name[0] >= '0' && name[0] <= '9'))
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
               || c == '_';
    });
}
