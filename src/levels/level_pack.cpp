#include "levels/level_pack.h"

#include <limits.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/game_state.h"
#include "levels/level_disk.h"
#include "levels/level_export.h"
#include "levels/level_file.h"
#include "levels/level_link.h"
#include "levels/load_level.h"

namespace {

// The pack the game opened, for the whole run: made at start-up, so that
// nothing is allocated when a level is loaded.
int32_t opened_files = 0;
bool opened_folder = false;
char opened_path[PATH_MAX];
std::string opened_link;
int32_t opened_grids[LEVEL_PACK_MAX_FILES][GRID_CELLS];

// "cannot use the level file F: line 3, ... (and 4 more; ...)".
std::string refusal(const std::string& what, const std::vector<ExportProblem>& problems)
{
    std::string message = "cannot use the " + what + ": " + describe_problem(problems.front());
    if (problems.size() > 1)
        message += " (and " + std::to_string(problems.size() - 1)
                   + " more; tarnblast-levels check lists them all)";
    return message;
}

int32_t level_uses(int32_t start_mode)
{
    return start_mode == MODE_EDITOR ? LEVEL_FOR_EDITOR : LEVEL_FOR_PLAY;
}

std::string folder_refused_by_editor(const std::string& path)
{
    return "cannot edit the level folder " + path
           + ": the editor edits one level file; name one of its files";
}

// The files of the pack a path names, or why there is none.
bool pack_files(const std::string& path, int32_t start_mode, std::vector<std::string>& files,
                std::string& message)
{
    if (!is_level_folder(path)) {
        files = {path};
        return true;
    }
    std::string error;
    if (start_mode == MODE_EDITOR)
        message = folder_refused_by_editor(path);
    else if (!list_level_folder(path, files, error))
        message = "cannot use the level folder " + path + ": it " + error;
    else if (files.empty())
        message = "cannot use the level folder " + path + ": it holds no level file (*.txt)";
    else if (files.size() > size_t(LEVEL_PACK_MAX_FILES))
        message = "cannot use the level folder " + path + ": it holds "
                  + std::to_string(files.size()) + " level files; a pack holds at most "
                  + std::to_string(LEVEL_PACK_MAX_FILES);
    return message.empty();
}

// Reads and checks every file; the first file that cannot be used refuses
// the whole pack.
bool read_pack(const std::vector<std::string>& files, int32_t uses, std::vector<LevelGrid>& grids,
               std::string& message)
{
    std::vector<ExportProblem> problems;
    grids.resize(files.size());
    for (size_t i = 0; i < files.size(); ++i)
        if (!load_level_file(files[i], uses, grids[i], problems)) {
            message = refusal("level file " + files[i], problems);
            return false;
        }
    return true;
}

// A link's level, as the text of its export: checked as its file would be,
// and then the pack.
bool keep_link_level(const std::string& link, const std::string& text, int32_t uses,
                     std::string& message)
{
    LevelGrid grid;
    const std::vector<ExportProblem> problems = check_level_export(text, uses, grid);
    if (!problems.empty()) {
        message = refusal("level link", problems);
        return false;
    }
    std::copy(grid.begin(), grid.end(), opened_grids[0]);
    opened_path[0] = '\0';
    opened_folder = false;
    opened_link = link;
    opened_files = 1;
    return true;
}

// A level sent as a link: unpacked, then checked as its file would be.
bool open_level_link(const std::string& link, int32_t uses, std::string& message)
{
    std::string text, error;
    bool edit = false;
    if (!level_link_export(link, text, edit, error)) {
        message = "cannot use the level link: " + error;
        return false;
    }
    return keep_link_level(link, text, uses, message);
}

}  // namespace

bool open_level_pack(const char* path, int32_t start_mode, std::string& message)
{
    message.clear();
    if (!path || !*path) {
        message = "cannot use the level file: no file is named";
        return false;
    }
    const int32_t uses = level_uses(start_mode);
    if (is_level_link(path))
        return open_level_link(path, uses, message);
    if (std::strlen(path) >= sizeof opened_path) {
        message = refusal(std::string("level file ") + path,
                          {{0, 0, "has a path too long to write back to"}});
        return false;
    }
    std::vector<std::string> files;
    std::vector<LevelGrid> grids;
    if (!pack_files(path, start_mode, files, message) || !read_pack(files, uses, grids, message))
        return false;
    // Every file is sound: only now does the new pack replace the open one.
    for (size_t i = 0; i < grids.size(); ++i)
        std::copy(grids[i].begin(), grids[i].end(), opened_grids[i]);
    // The file exists now; an export writes back to the file itself.
    if (!realpath(path, opened_path))
        std::snprintf(opened_path, sizeof opened_path, "%s", path);
    opened_folder = is_level_folder(path);
    opened_link.clear();
    opened_files = int32_t(files.size());
    return true;
}

bool open_inflated_level_link(const std::string& link, const uint8_t* packed, size_t size,
                              int32_t start_mode, std::string& message)
{
    std::string text, error = LEVEL_LINK_NOT_UNPACKED;
    if (!is_level_link(link) || !packed || !packed_level_export(packed, size, text, error)) {
        message = "cannot use the level link: " + error;
        return false;
    }
    return keep_link_level(link, text, level_uses(start_mode), message);
}

bool reopen_level_pack(int32_t start_mode, std::string& message)
{
    message.clear();
    if (opened_folder && start_mode == MODE_EDITOR) {
        message = folder_refused_by_editor(opened_path);
        return false;
    }
    const std::string what =
        opened_link.empty() ? std::string("level file ") + opened_path : std::string("level link");
    std::string text(size_t(EXPORT_FILE_SIZE), '\0');
    for (int32_t file = 0; file < opened_files; ++file) {
        LevelGrid grid;
        format_level_export(opened_grids[file], text.data());
        const std::vector<ExportProblem> problems =
            check_level_export(text, level_uses(start_mode), grid);
        if (!problems.empty()) {
            message = refusal(what, problems);
            return false;
        }
    }
    return true;
}

void close_level_pack()
{
    opened_files = 0;
    opened_folder = false;
    opened_path[0] = '\0';
    opened_link.clear();
}

bool level_pack_open()
{
    return opened_files > 0;
}

bool level_pack_is_folder()
{
    return opened_folder;
}

int32_t level_pack_files()
{
    return opened_files;
}

const char* level_pack_path()
{
    return opened_path;
}

const char* level_pack_link()
{
    return opened_link.c_str();
}

int32_t pack_file_cell(int32_t file, int32_t row, int32_t column)
{
    return file >= 0 && file < opened_files && export_holds_cell(row, column)
               ? opened_grids[file][row * GRID_COLUMNS + column]
               : TILE_EMPTY;
}

void write_pack_file_cells(int32_t file, int32_t* grid)
{
    if (file < 0 || file >= opened_files)
        return;
    for (int32_t row = 1; row < GRID_ROWS; ++row)
        for (int32_t column = 0; column < GRID_COLUMNS; ++column)
            if (export_holds_cell(row, column))
                grid[row * GRID_COLUMNS + column] = opened_grids[file][row * GRID_COLUMNS + column];
}

void load_play_level(int32_t number, int32_t pack_file, int32_t* grid)
{
    if (!level_pack_open()) {
        load_level(number, grid);
        return;
    }
    clear_level_area(grid);
    write_pack_file_cells(pack_file % opened_files, grid);
}

int32_t next_pack_file(int32_t pack_file)
{
    return level_pack_open() ? (pack_file + 1) % opened_files : 0;
}
