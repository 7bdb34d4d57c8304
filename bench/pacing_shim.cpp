// Loaded into the real game with LD_PRELOAD by scripts/bench.sh: records the
// moment every call of Allegro's vsync returns, i.e. the pace of the main
// loop, and the time from the program's start to its first shown frame,
// without changing the game. Writes one line per pass (seconds since start)
// to the file named by TARNBLAST_PACING_FILE when the program ends.
#include <dlfcn.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int MAX_PASSES = 1 << 20;
double pass_times[MAX_PASSES];
int passes = 0;
double started = 0;

double now()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void write_times()
{
    const char* path = std::getenv("TARNBLAST_PACING_FILE");
    if (!path)
        return;
    if (std::FILE* out = std::fopen(path, "w")) {
        for (int i = 0; i < passes; ++i)
            std::fprintf(out, "%.6f\n", pass_times[i] - started);
        std::fclose(out);
    }
}

__attribute__((constructor)) void start_clock()
{
    started = now();
    std::atexit(write_times);
}

}  // namespace

extern "C" void vsync()
{
    static void (*real_vsync)() = reinterpret_cast<void (*)()>(dlsym(RTLD_NEXT, "vsync"));
    real_vsync();
    if (passes < MAX_PASSES)
        pass_times[passes++] = now();
}
