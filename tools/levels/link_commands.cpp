#include "link_commands.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/game_state.h"
#include "base/platform.h"
#include "level_map.h"
#include "levels/level_disk.h"
#include "levels/level_export.h"
#include "levels/level_link.h"
#include "levels/level_pack.h"
#include "levels/level_tables.h"
#include "levels/load_level.h"
#include "levels_tool.h"
#include "png_file.h"
#include "route_command.h"

namespace fs = std::filesystem;

namespace {

// Takes "--page URL" (and "--seconds S" where allowed) out of the arguments,
// leaving the others in order. False, with the problem, for a bad option.
bool take_options(const std::vector<std::string>& args, bool seconds_allowed,
                  std::vector<std::string>& rest, std::string& page, double& seconds,
                  std::string& problem)
{
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool option = arg == "--page" || (seconds_allowed && arg == "--seconds");
        if (option && i + 1 == args.size()) {
            problem = arg + " needs a value";
            return false;
        }
        if (arg == "--page") {
            page = args[++i];
        } else if (option) {
            if (!parse_route_seconds(args[++i], seconds)) {
                problem = "--seconds must be a number of seconds above 0, for instance 30 or 2.5";
                return false;
            }
        } else if (arg.rfind("--", 0) == 0 && arg != "--builtin") {
            problem = "unknown option " + arg;
            return false;
        } else
            rest.push_back(arg);
    }
    if (page.empty() || page.find('#') != std::string::npos) {
        problem = "--page needs the page's address, without a #fragment";
        return false;
    }
    return true;
}

bool write_text_file(const std::string& path, const std::string& text, std::ostream& err)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file)
        file.write(text.data(), std::streamsize(text.size()));
    if (file)
        file.close();
    if (!file)
        err << TOOL << "cannot write " << path << ": " << std::strerror(errno) << "\n";
    return bool(file);
}

// Characters that would end an attribute or start markup, written safely.
std::string html_text(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '&'   ? "&amp;"
               : c == '<' ? "&lt;"
               : c == '>' ? "&gt;"
               : c == '"' ? "&quot;"
                          : std::string(1, c);
    return out;
}

// One level of a gallery: its name, where it is read from (a file, or a
// link for a built-in level), and the grid its file holds.
struct GalleryLevel {
    std::string name;
    std::string source;
    LevelGrid grid;
    std::vector<ExportProblem> problems;
};

bool gallery_levels(const std::string& folder, std::vector<GalleryLevel>& levels,
                    std::string& problem)
{
    if (folder == "--builtin") {
        for (int32_t number = 1; number <= LEVEL_COUNT; ++number) {
            GalleryLevel level{
                "Level " + std::to_string(number), "", builtin_level_grid(number), {}};
            std::string text(size_t(EXPORT_FILE_SIZE), '\0');
            format_level_export(level.grid.data(), text.data());
            level.problems = check_level_export(text, LEVEL_FOR_BOTH, level.grid);
            levels.push_back(level);
        }
        return true;
    }
    std::vector<std::string> files;
    std::string error;
    if (!is_level_folder(folder) || !list_level_folder(folder, files, error)) {
        problem = folder + " is not a folder of level files" + (error.empty() ? "" : ": " + error);
        return false;
    }
    if (files.empty()) {
        problem = folder + " holds no level file (*.txt)";
        return false;
    }
    for (const std::string& file : files) {
        GalleryLevel level{fs::path(file).filename().string(), file, {}, {}};
        load_level_file(file, LEVEL_FOR_BOTH, level.grid, level.problems);
        levels.push_back(level);
    }
    return true;
}

const char* const GALLERY_STYLE =
    "body{margin:16px;background:#101418;color:#d8d8d8;font:14px/1.4 sans-serif}"
    "h1{font-size:20px}section{margin:0 0 24px}h2{font-size:16px;margin:0 0 4px}"
    ".map{overflow-x:auto;border:1px solid #445}.map img{display:block;image-rendering:pixelated}"
    "a{color:#8fc8ff;margin-right:12px}.bad{color:#ff8a80}";

}  // namespace

std::string watch_link(const std::string& level_link, const std::string& script)
{
    std::vector<uint8_t> deflated;
    if (!deflate_bytes(reinterpret_cast<const uint8_t*>(script.data()), script.size(), deflated))
        return "";
    return level_link + "&watch=" + base64url_text(deflated.data(), deflated.size());
}

int run_link(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> rest;
    std::string page = LEVEL_LINK_PAGE, problem;
    double ignored = 0;
    if (!take_options(args, false, rest, page, ignored, problem))
        return usage(err, problem);
    if (rest.size() != 1)
        return usage(err, "link takes one level (a number or an export file)");
    LevelGrid grid;
    std::string error, link;
    if (!level_from_argument(rest[0], grid, error)) {
        err << TOOL << error << "\n";
        return EXIT_BAD_INPUT;
    }
    if (!make_level_link(grid.data(), page, false, link)) {
        err << TOOL << "cannot deflate the level\n";
        return EXIT_WRITE_FAILED;
    }
    out << link << "\n";
    return 0;
}

int run_unlink(const std::vector<std::string>& args, std::ostream& err)
{
    if (args.size() != 3)
        return usage(err, "unlink takes a level link and the file to write");
    std::string text, error;
    bool edit = false;
    if (!level_link_export(args[1], text, edit, error)) {
        err << TOOL << "cannot use the level link: " << error << "\n";
        return EXIT_BAD_INPUT;
    }
    return write_text_file(args[2], text, err) ? 0 : EXIT_WRITE_FAILED;
}

int run_gallery(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> rest;
    std::string page = LEVEL_LINK_PAGE, problem;
    double seconds = 60;
    if (!take_options(args, true, rest, page, seconds, problem))
        return usage(err, problem);
    if (rest.size() != 2)
        return usage(err, "gallery takes a folder of level files (or --builtin) and a folder "
                          "to write the page into");
    std::vector<GalleryLevel> levels;
    if (!gallery_levels(rest[0], levels, problem)) {
        err << TOOL << problem << "\n";
        return EXIT_BAD_INPUT;
    }
    std::error_code code;
    const fs::path target = fs::absolute(rest[1], code);
    fs::create_directories(target, code);
    if (code) {
        err << TOOL << "cannot make the folder " << rest[1] << ": " << code.message() << "\n";
        return EXIT_WRITE_FAILED;
    }
    std::ostringstream html;
    html << "<!doctype html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         << "<title>Tarnblast levels</title>\n<style>" << GALLERY_STYLE << "</style>\n</head>\n"
         << "<body>\n<h1>Tarnblast levels: "
         << html_text(rest[0] == "--builtin" ? "the built-in levels" : rest[0]) << "</h1>\n";
    for (size_t i = 0; i < levels.size(); ++i) {
        GalleryLevel& level = levels[i];
        html << "<section>\n<h2>" << html_text(level.name) << "</h2>\n";
        if (!level.problems.empty()) {
            html << "<p class=\"bad\">cannot be played or edited: "
                 << html_text(describe_problem(level.problems.front())) << "</p>\n</section>\n";
            continue;
        }
        char picture[32];
        std::snprintf(picture, sizeof picture, "level-%02zu.png", i + 1);
        std::string error;
        RgbImage map;
        {
            const fs::path home = fs::current_path(code);
            const bool drawn = find_game_data(error) && draw_level_map(level.grid, map, error);
            fs::current_path(home, code);
            if (!drawn) {
                err << TOOL << "cannot draw the map: " << error << "\n";
                return EXIT_WRITE_FAILED;
            }
        }
        if (!write_png((target / picture).string(), map)) {
            err << TOOL << "cannot write " << (target / picture).string() << "\n";
            return EXIT_WRITE_FAILED;
        }
        std::string play, edit;
        make_level_link(level.grid.data(), page, false, play);
        make_level_link(level.grid.data(), page, true, edit);
        out << level.name << ": " << std::flush;
        const RouteVerdict verdict =
            level_route_verdict(level.source.empty() ? play : level.source, seconds, err);
        out << verdict.text << "\n";
        html << "<div class=\"map\"><img src=\"" << picture << "\" width=\"" << map.width
             << "\" height=\"" << map.height << "\" alt=\"The map of " << html_text(level.name)
             << "\"></div>\n<p class=\"" << (verdict.found ? "" : "bad") << "\">"
             << html_text(verdict.text) << "</p>\n<p><a href=\"" << html_text(play)
             << "\">Play</a><a href=\"" << html_text(edit) << "\">Edit</a>";
        if (verdict.found)
            html << "<a href=\"" << html_text(watch_link(play, verdict.script)) << "\">Watch</a>";
        html << "</p>\n</section>\n";
    }
    html << "</body>\n</html>\n";
    return write_text_file((target / "index.html").string(), html.str(), err) ? 0
                                                                              : EXIT_WRITE_FAILED;
}
