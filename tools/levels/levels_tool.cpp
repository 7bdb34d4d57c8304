#include "levels_tool.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/assets.h"
#include "base/short_text.h"
#include "level_map.h"
#include "level_source.h"
#include "levels/level_disk.h"
#include "levels/level_export.h"
#include "levels/level_file.h"
#include "levels/level_pack.h"
#include "levels/level_tables.h"
#include "levels/load_level.h"
#include "link_commands.h"
#include "program/command_line.h"
#include "route_command.h"

namespace fs = std::filesystem;

namespace {

const char* const USAGE =
    "usage: tarnblast-levels convert EXPORT_FILE [--name NAME]\n"
    "       tarnblast-levels export N OUT_FILE\n"
    "       tarnblast-levels map N|EXPORT_FILE OUT.bmp\n"
    "       tarnblast-levels check EXPORT_FILE|FOLDER [--seconds S]\n"
    "       tarnblast-levels route N|EXPORT_FILE [--out SCRIPT] [--seconds S]\n"
    "       tarnblast-levels link N|EXPORT_FILE [--page URL]\n"
    "       tarnblast-levels unlink LINK OUT_FILE\n"
    "       tarnblast-levels gallery FOLDER|--builtin OUT_FOLDER [--seconds S] [--page URL]\n"
    "       tarnblast-levels --help | --version\n"
    "N is a built-in level, 1 to 6.\n";

const char* const HELP =
    "\n"
    "Tools for making levels from the editor's exports (level files):\n"
    "\n"
    "  convert   print the export as its section of src/levels/level_tables.cpp;\n"
    "            --name NAME names the arrays (default new_level)\n"
    "  export    write built-in level N exactly as the editor exports it\n"
    "  map       draw a whole level, 5130 x 210 pixels, as a BMP file (needs the\n"
    "            game's data/, here or beside the program)\n"
    "  check     list every problem that keeps a level file from being played or\n"
    "            edited, then say whether a sound one can be finished; given a\n"
    "            folder (a level pack), check each of its *.txt files in name order\n"
    "  route     find the keys that carry the player through a level and write them\n"
    "            as a replay script; --out SCRIPT writes it there (default stdout)\n"
    "  link      print the level's link: the page's address with the level in its\n"
    "            #level= fragment, which plays it in the browser at once\n"
    "  unlink    write the level file a link holds, byte for byte the export it\n"
    "            was made from\n"
    "  gallery   write a page (index.html and a map of each level) showing every\n"
    "            level of a folder, or the built-in ones, whether it can be\n"
    "            finished, and its Play, Edit and Watch links\n"
    "  --page URL  the page links lead to (default http://127.0.0.1:8000/, where\n"
    "            scripts/web.sh serves it)\n"
    "  --seconds S  how long check, gallery and route search for a route, in processor\n"
    "            seconds (default 60)\n"
    "  --help    print this help and exit\n"
    "  --version print the version and the licence and exit\n"
    "\n"
    "Exit codes: 0 done (check: every file is sound and can be finished); 1 an\n"
    "output that cannot be written, no data/ to draw with, or (route, check) no\n"
    "route found in the time; 2 a bad command line, a file that is no level\n"
    "export, or (check) a level with any problem.\n"
    "\n"
    "Example: check every level of an episode, half a minute each:\n"
    "  tarnblast-levels check ~/levels/episode --seconds 30\n";

// A built-in level's number, exactly: "1" to "6".
bool builtin_number(const std::string& text, int32_t& number)
{
    number = parse_small_number(text.c_str(), text.size(), 1, LEVEL_COUNT);
    return number > 0;
}

// A level file read whole, as the game reads it; false with the problem,
// naming the file, in error.
bool read_level_file_text(const std::string& path, std::string& text, std::string& error)
{
    if (read_level_text(path, text, error))
        return true;
    error = path + " " + error;
    return false;
}

// What convert prints for the text of an export file, or false with the
// problem in error. Warnings go to warnings, one line each, and are also in
// the printed text as comments.
bool convert_export_text(const std::string& text, const std::string& name, std::string& printed,
                         std::vector<std::string>& warnings, std::string& error)
{
    LevelGrid grid;
    ExportProblem problem;
    if (!read_level_export(text, grid, problem)) {
        error = describe_problem(problem);
        return false;
    }
    const LevelSource source = describe_level(grid);
    warnings = source.warnings;
    std::string notes =
        "Column 512 is not in the export file: it is left empty. Row 0 and cell (1, 0) are not "
        "in it either, and a level holds nothing there.";
    for (const std::string& warning : warnings)
        notes += "\n" + warning;
    printed = comment_block(notes) + "\n" + level_tables_text(source, name) + "\n"
              + comment_block("Its entry in LEVEL_TABLES:") + "//     "
              + level_tables_entry(source, name) + "\n";
    return true;
}

int run_convert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string path;
    std::string name = "new_level";
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--name") {
            if (i + 1 == args.size())
                return usage(err, "--name needs a name");
            name = args[++i];
            if (!is_table_name(name))
                return usage(err, "the name '" + name
                                      + "' cannot name a table: use letters, digits and _");
        } else if (path.empty()) {
            path = args[i];
        } else {
            return usage(err, "convert takes one export file");
        }
    }
    if (path.empty())
        return usage(err, "convert needs an export file");
    std::string text;
    std::string error;
    if (!read_level_file_text(path, text, error)) {
        err << TOOL << error << "\n";
        return EXIT_BAD_INPUT;
    }
    std::string printed;
    std::vector<std::string> warnings;
    if (!convert_export_text(text, name, printed, warnings, error)) {
        err << TOOL << path << " is not a level export: " << error << "\n";
        return EXIT_BAD_INPUT;
    }
    for (const std::string& warning : warnings)
        err << TOOL << "warning: " << warning << "\n";
    out << printed;
    return 0;
}

int run_export(const std::vector<std::string>& args, std::ostream& err)
{
    int32_t number = 0;
    if (args.size() != 3)
        return usage(err, "export takes a level number and a file");
    if (!builtin_number(args[1], number))
        return usage(err, "'" + args[1] + "' is no built-in level");
    const LevelGrid grid = builtin_level_grid(number);
    std::string text(size_t(EXPORT_FILE_SIZE), '\0');
    text.resize(size_t(format_level_export(grid.data(), text.data())));
    std::ofstream file(args[2], std::ios::binary | std::ios::trunc);
    if (file)
        file.write(text.data(), std::streamsize(text.size()));
    if (file)
        file.close();
    if (!file) {
        err << TOOL << "cannot write " << args[2] << ": " << std::strerror(errno) << "\n";
        return EXIT_WRITE_FAILED;
    }
    return 0;
}

bool ends_with_bmp(const std::string& path)
{
    std::string extension = fs::path(path).extension().string();
    for (char& c : extension)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".bmp";
}

}  // namespace

int usage(std::ostream& err, const std::string& problem)
{
    err << TOOL << problem << "\n" << USAGE;
    return EXIT_BAD_INPUT;
}

int32_t builtin_level_argument(const std::string& argument, std::string& error)
{
    int32_t number = 0;
    if (builtin_number(argument, number))
        return number;
    std::error_code code;
    if (argument.empty() || argument.find_first_not_of("0123456789") != std::string::npos
        || fs::exists(argument, code))
        return 0;
    error = "there is no built-in level " + argument.substr(0, 40) + " (they are 1 to "
            + std::to_string(LEVEL_COUNT) + ") and no file of that name";
    return -1;
}

bool level_from_argument(const std::string& argument, LevelGrid& grid, std::string& error)
{
    const int32_t number = builtin_level_argument(argument, error);
    if (number > 0)
        grid = builtin_level_grid(number);
    if (number != 0)
        return number > 0;
    std::string text;
    if (!read_level_file_text(argument, text, error))
        return false;
    ExportProblem problem;
    if (!read_level_export(text, grid, problem)) {
        error = argument + " is not a level export: " + describe_problem(problem);
        return false;
    }
    return true;
}

// The sprite sheet is looked for in data/ under the working directory, as
// the game does, and else beside the program, where the build puts data/.
bool find_game_data(std::string& error)
{
    std::error_code code;
    if (fs::exists(SPRITE_SHEET_PATH, code))
        return true;
    const fs::path program_dir = fs::read_symlink("/proc/self/exe", code).parent_path();
    if (!code && fs::exists(program_dir / SPRITE_SHEET_PATH, code)) {
        fs::current_path(program_dir, code);
        if (!code)
            return true;
    }
    error = std::string("cannot find ") + SPRITE_SHEET_PATH
            + " here or beside the program: run it from a folder that holds the game's data/";
    return false;
}

namespace {

int run_map(const std::vector<std::string>& args, std::ostream& err)
{
    if (args.size() != 3)
        return usage(err, "map takes a level (a number or an export file) and a .bmp file");
    if (!ends_with_bmp(args[2]))
        return usage(err, "the map is written as a .bmp file (convert it to PNG with ImageMagick's "
                          "convert if need be)");
    LevelGrid grid;
    std::string error;
    if (!level_from_argument(args[1], grid, error)) {
        err << TOOL << error << "\n";
        return EXIT_BAD_INPUT;
    }
    std::error_code code;
    const fs::path target = fs::absolute(args[2], code);
    const fs::path home = fs::current_path(code);
    if (!find_game_data(error)) {
        err << TOOL << error << "\n";
        return EXIT_WRITE_FAILED;
    }
    RgbImage picture;
    const bool drawn = draw_level_map(grid, picture, error);
    fs::current_path(home, code);
    if (!drawn) {
        err << TOOL << "cannot draw the map: " << error << "\n";
        return EXIT_WRITE_FAILED;
    }
    errno = 0;
    const bool failed = !write_bmp(target.c_str(), picture);
    const int saved_errno = errno;
    if (failed) {
        err << TOOL << "cannot write " << args[2] << ": "
            << (saved_errno ? std::strerror(saved_errno) : "the file could not be written") << "\n";
        return EXIT_WRITE_FAILED;
    }
    return 0;
}

// The problems beyond this many are only counted: a file that is not an
// export at all would otherwise give thousands of lines.
constexpr size_t LISTED_PROBLEMS = 200;

// A sound level is then played to its end, if a way can be found in the
// time: a designer sees at once when a change made it impossible.
int check_level_file(const std::string& path, double seconds, std::ostream& out, std::ostream& err)
{
    LevelGrid grid;
    std::vector<ExportProblem> problems;
    if (load_level_file(path, LEVEL_FOR_BOTH, grid, problems)) {
        out << path << ": a sound level: it can be played and opened in the editor\n";
        out.flush();
        return report_route_verdict(path, seconds, out, err);
    }
    for (size_t i = 0; i < problems.size() && i < LISTED_PROBLEMS; ++i)
        out << path << ": " << describe_problem(problems[i]) << "\n";
    if (problems.size() > LISTED_PROBLEMS)
        out << path << ": and " << problems.size() - LISTED_PROBLEMS << " more problems\n";
    return EXIT_BAD_INPUT;
}

// Every file of a pack, as the game would play them; the worst verdict is
// the pack's: 0 only when every file is sound and can be finished.
int check_level_pack(const std::string& folder, double seconds, std::ostream& out,
                     std::ostream& err)
{
    std::vector<std::string> files;
    std::string error;
    if (!list_level_folder(folder, files, error)) {
        out << folder << ": the folder " << error << "\n";
        return EXIT_BAD_INPUT;
    }
    if (files.empty() || files.size() > size_t(LEVEL_PACK_MAX_FILES)) {
        out << folder << ": the folder holds " << files.size()
            << " level files (*.txt); a pack holds 1 to " << LEVEL_PACK_MAX_FILES << "\n";
        return EXIT_BAD_INPUT;
    }
    int verdict = 0;
    for (const std::string& file : files)
        verdict = std::max(verdict, check_level_file(file, seconds, out, err));
    out << folder << ": a pack of " << files.size()
        << (files.size() == 1 ? " level file: " : " level files: ")
        << (verdict == 0   ? "every one is sound and can be finished"
            : verdict == 1 ? "every one is sound, but not every one was finished in the time"
                           : "not every one is sound")
        << "\n";
    return verdict;
}

int run_check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    double seconds = 60;
    const bool timed = args.size() == 4 && args[2] == "--seconds";
    if (args.size() != 2 && !timed)
        return usage(err, "check takes one export file or folder and, if need be, --seconds S");
    if (timed && !parse_route_seconds(args[3], seconds))
        return usage(err, "--seconds must be a number of seconds above 0, for instance 30 or 2.5");
    if (is_level_folder(args[1]))
        return check_level_pack(args[1], seconds, out, err);
    return check_level_file(args[1], seconds, out, err);
}

}  // namespace

int run_levels_tool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty())
        return usage(err, "no command given");
    if (args[0] == "convert")
        return run_convert(args, out, err);
    if (args[0] == "export")
        return run_export(args, err);
    if (args[0] == "map")
        return run_map(args, err);
    if (args[0] == "check")
        return run_check(args, out, err);
    if (args[0] == "route")
        return run_route(args, out, err);
    if (args[0] == "link")
        return run_link(args, out, err);
    if (args[0] == "unlink")
        return run_unlink(args, err);
    if (args[0] == "gallery")
        return run_gallery(args, out, err);
    if (args[0] == "--help" || args[0] == "-h") {
        out << USAGE << HELP;
        return 0;
    }
    if (args[0] == "--version") {
        out << version_text("tarnblast-levels");
        return 0;
    }
    return usage(err, "unknown command '" + args[0] + "'");
}
