// The replay runner's stand-in for node, over the stand-in game: it takes
// the runner's options and script and writes frames, a trace and a grid
// through node's real file system, so that the runner's wiring (build,
// NODERAWFS, scripts/replay-hashes.sh --web) is proven before the game
// itself is built for the browser.
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/web/page_calls.h"

namespace {

struct StubOptions {
    std::string query, frames_out, trace, grid_out, script;
    long first = 1, last = -1;  // one range of --frame-list; -1: to the end
};

void put32(FILE* file, uint32_t value)
{
    const uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16),
                              uint8_t(value >> 24)};
    std::fwrite(bytes, 1, 4, file);
}

// A 24-bit BMP, bottom row first, as the desktop runner writes its frames.
void write_frame(const std::string& dir, long pass)
{
    char path[512];
    std::snprintf(path, sizeof path, "%s/frame-%06ld.bmp", dir.c_str(), pass);
    FILE* file = std::fopen(path, "wb");
    if (!file)
        return;
    std::fwrite("BM", 1, 2, file);
    for (uint32_t v : {54u + 320 * 200 * 3, 0u, 54u, 40u, 320u, 200u})
        put32(file, v);
    for (uint32_t v : {1u | (24u << 16), 0u, 320u * 200 * 3, 2835u, 2835u, 0u, 0u})
        put32(file, v);
    const uint8_t* frame = tb_frame();
    for (int y = 199; y >= 0; y--)
        for (int x = 0; x < 320; x++) {
            const uint8_t* p = frame + 4 * (y * 320 + x);
            const uint8_t bgr[3] = {p[2], p[1], p[0]};
            std::fwrite(bgr, 1, 3, file);
        }
    std::fclose(file);
}

bool parse_options(int argc, char** argv, StubOptions& options)
{
    for (int i = 1; i < argc; i++) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (option == "--start-mode" || option == "--warp" || option == "--level")
            options.query += "&" + option.substr(2) + "=" + value, i++;
        else if (option == "--frames-out")
            options.frames_out = value, i++;
        else if (option == "--frame-list") {
            char* end;
            options.first = std::strtol(value, &end, 10);
            options.last = *end == '-' ? std::strtol(end + 1, nullptr, 10) : options.first;
            i++;
        } else if (option == "--trace")
            options.trace = value, i++;
        else if (option == "--grid-out")
            options.grid_out = value, i++;
        else if (option == "--trace-list")
            i++;
        else if (option[0] == '-' || !options.script.empty())
            return false;
        else
            options.script = option;
    }
    return !options.script.empty();
}

}  // namespace

int main(int argc, char** argv)
{
    StubOptions options;
    if (!parse_options(argc, argv, options)) {
        std::fprintf(stderr, "tarnblast-replay: usage: [options] SCRIPT\n");
        return 2;
    }
    if (tb_start(options.query.c_str()) != 0 || tb_replay(options.script.c_str()) != 0)
        return 2;
    if (!options.frames_out.empty())
        mkdir(options.frames_out.c_str(), 0755);
    FILE* trace = options.trace.empty() ? nullptr : std::fopen(options.trace.c_str(), "w");
    for (long pass = 1; !tb_replay_done(); pass++) {
        const int ended = tb_run(1);
        if (!options.frames_out.empty() && pass >= options.first
            && (options.last < 0 || pass <= options.last))
            write_frame(options.frames_out, pass);
        if (trace)
            std::fprintf(trace, "{\"frame\":%ld,\"pixel\":%d}\n", pass, tb_frame()[4 * 64000 - 4]);
        if (ended)
            break;
    }
    if (trace)
        std::fclose(trace);
    if (FILE* grid = options.grid_out.empty() ? nullptr : std::fopen(options.grid_out.c_str(), "w"))
        std::fprintf(grid, "stub grid\n"), std::fclose(grid);
    return 0;
}
