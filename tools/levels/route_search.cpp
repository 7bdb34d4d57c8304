#include "route_search.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <ctime>
#include <unordered_map>
#include <unordered_set>

#include "base/game_state.h"
#include "base/key_names.h"
#include "base/platform.h"
#include "base/score.h"
#include "base/sound.h"
#include "game/main_loop.h"
#include "program/key_script.h"

namespace {

// Processor time used by the process, in seconds.
double process_cpu_seconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// A search state is the game record without its grid, which play never
// writes, and the keys held at the end of the last pass: the next pass's
// enemies read them before any new key is pressed.
constexpr size_t SAVED_BYTES = offsetof(GameState, level_grid);

// The moves tried from every state, each held for HOLD_PASSES passes (a
// walking step takes two). Space is held throughout: a shot only ever
// helps, and the gun fires every sixth pass it is held.
constexpr uint16_t MOVES[] = {
    SCRIPT_RIGHT | SCRIPT_SPACE,
    SCRIPT_RIGHT | SCRIPT_UP | SCRIPT_SPACE,
    SCRIPT_SPACE,
    SCRIPT_UP | SCRIPT_SPACE,
    SCRIPT_LEFT | SCRIPT_SPACE,
    SCRIPT_LEFT | SCRIPT_UP | SCRIPT_SPACE,
};
constexpr int MOVE_COUNT = int(sizeof MOVES / sizeof MOVES[0]);
constexpr int HOLD_PASSES = 4;

// Beam widths tried in turn, each a whole search from the level's start; a
// search gives up when its furthest point has not moved for STALL_PASSES.
constexpr int BEAM_WIDTHS[] = {16, 64, 256, 1024};
constexpr int64_t STALL_PASSES = 700;

// No stretch of BUCKET_PIXELS of the level (by where the player last
// stood) may hold more than 1/BUCKET_SHARE of the beam, so that states
// further back live on while those ahead run into a dead end.
constexpr int32_t BUCKET_PIXELS = 40;
constexpr int BUCKET_SHARE = 4;

constexpr auto REPORT_EVERY = std::chrono::seconds(1);

// While searching, passes draw into a one-pixel frame: every figure of the
// game lies off it and is skipped at once, and nothing the game decides
// depends on what was drawn.
class QuietDrawing {
public:
    QuietDrawing() { resize_frame(1, 1); }
    ~QuietDrawing() { resize_frame(SCREEN_WIDTH, SCREEN_HEIGHT); }
    QuietDrawing(const QuietDrawing&) = delete;
    QuietDrawing& operator=(const QuietDrawing&) = delete;
};

enum class HoldOutcome { ALIVE, DIED, FINISHED };

// Saved states, each with how far the player had come when he last stood
// on something.
struct Saved {
    std::vector<unsigned char> bytes;
    std::vector<uint16_t> held;
    std::vector<int32_t> footing;

    void resize(int count)
    {
        bytes.resize(size_t(count) * SAVED_BYTES);
        held.resize(size_t(count));
        footing.resize(size_t(count));
    }
    void save(int index, int32_t last_footing)
    {
        std::memcpy(&bytes[size_t(index) * SAVED_BYTES], &game, SAVED_BYTES);
        held[size_t(index)] = held_key_set();
        footing[size_t(index)] = last_footing;
    }
    void restore(int index) const
    {
        std::memcpy(&game, &bytes[size_t(index) * SAVED_BYTES], SAVED_BYTES);
        hold_key_set(held[size_t(index)]);
    }
};

// A state reached by one more hold: whose child it is, by which move, how
// good it looks and what it looks like.
struct Candidate {
    int32_t parent;
    int32_t move;
    int32_t footing;
    int32_t progress;
    int32_t score;
    uint64_t likeness;
};

// Where the player last stood comes first: a jump or a fall counts only
// once he has landed, so that falls to a certain death (a block's side
// push can throw him far ahead) do not crowd out the ways that go on. Then
// how far right he is, then more enemies shot (fewer left to fire).
bool ranks_above(const Candidate& a, const Candidate& b)
{
    if (a.footing != b.footing)
        return a.footing > b.footing;
    if (a.progress != b.progress)
        return a.progress > b.progress;
    return a.score > b.score;
}

struct Link {
    int32_t parent;
    int32_t move;
};

// How far right the camera has come. Past the end column the level can no
// longer end while walking right, so going further counts as going back.
int32_t progress_of_camera()
{
    const int32_t end = LEVEL_END_COLUMN * TILE_SIZE;
    return game.camera_x <= end ? game.camera_x : end - (game.camera_x - end);
}

// The score in tens of points, as far as a search needs it.
int32_t score_tens()
{
    int32_t tens = 0;
    for (int i = 4; i <= TENS_DIGIT; ++i)
        tens = tens * 10 + game.score_digits[i];
    return tens;
}

// States that agree in everything the player controls are taken as one; the
// enemies' state is left out, so two ways to the same place keep only the
// better ranked.
uint64_t likeness_of_state()
{
    const int32_t fields[] = {
        game.camera_x,           game.player_offset_y, game.player_facing, game.player_jumping,
        game.player_falling,     game.jump_counter,    game.move_counter,  game.fire_counter % 6,
        int32_t(held_key_set()), score_tens(),
    };
    uint64_t hash = 1469598103934665603ull;
    for (int32_t value : fields) {
        hash ^= uint32_t(value);
        hash *= 1099511628211ull;
    }
    return hash;
}

class BeamSearch {
public:
    BeamSearch(const Saved& start, int width, RouteProgress& progress, double started,
               double seconds, const std::function<void(const RouteProgress&)>& report)
        : start_(start), width_(width), progress_(progress), started_(started), seconds_(seconds),
          report_(report)
    {
    }

    // The keys of a route from the start state, or false when this width
    // gave up or the time ran out.
    bool run(std::vector<uint16_t>& route)
    {
        beam_ = start_;
        int beam_count = 1;
        int32_t furthest = progress_of_camera();
        int64_t stalled = 0;
        while (beam_count > 0 && stalled < STALL_PASSES && !out_of_time()) {
            int finish_parent = -1, finish_move = 0, finish_pass = 0;
            expand(beam_count, finish_parent, finish_move, finish_pass);
            if (out_of_time())
                return false;
            if (finish_parent >= 0) {
                route = route_to(finish_parent, finish_move, finish_pass);
                return true;
            }
            beam_count = keep_best();
            const int32_t best = beam_count ? best_progress_ : furthest;
            stalled = best > furthest ? 0 : stalled + HOLD_PASSES;
            furthest = std::max(furthest, best);
        }
        return false;
    }

    bool out_of_time()
    {
        maybe_report();
        return progress_.cpu_seconds >= seconds_;
    }

private:
    HoldOutcome hold(int move, int& passes_run)
    {
        const int32_t level = game.level_number;
        for (passes_run = 1; passes_run <= HOLD_PASSES; ++passes_run) {
            run_pass_holding(MOVES[move]);
            ++progress_.passes_searched;
            if (game.level_number != level)
                return HoldOutcome::FINISHED;
            if (game.game_mode != MODE_PLAY)
                return HoldOutcome::DIED;
            progress_.furthest_column =
                std::max(progress_.furthest_column, progress_of_camera() / TILE_SIZE);
        }
        return HoldOutcome::ALIVE;
    }

    // Every move from every state of the beam; the earliest finish, if any.
    void expand(int beam_count, int& finish_parent, int& finish_move, int& finish_pass)
    {
        candidates_.clear();
        for (int parent = 0; parent < beam_count && !out_of_time(); ++parent) {
            for (int move = 0; move < MOVE_COUNT; ++move) {
                beam_.restore(parent);
                int passes = 0;
                const HoldOutcome outcome = hold(move, passes);
                if (outcome == HoldOutcome::FINISHED
                    && (finish_parent < 0 || passes < finish_pass)) {
                    finish_parent = parent;
                    finish_move = move;
                    finish_pass = passes;
                }
                if (outcome == HoldOutcome::ALIVE)
                    candidates_.push_back(candidate_of(parent, move));
            }
        }
    }

    Candidate candidate_of(int parent, int move) const
    {
        const int32_t progress = progress_of_camera();
        const int32_t footing =
            game.player_falling == FLAG_CLEAR ? progress : beam_.footing[size_t(parent)];
        return {parent, move, footing, progress, score_tens(), likeness_of_state()};
    }

    // The best-ranked distinct candidates become the next beam, played again
    // from their parents to have their states.
    int keep_best()
    {
        std::stable_sort(candidates_.begin(), candidates_.end(), ranks_above);
        kept_.clear();
        seen_.clear();
        bucket_counts_.clear();
        const int quota = std::max(2, width_ / BUCKET_SHARE);
        for (const Candidate& candidate : candidates_) {
            if (int(kept_.size()) == width_)
                break;
            if (!seen_.insert(candidate.likeness).second)
                continue;
            int& in_bucket = bucket_counts_[candidate.footing / BUCKET_PIXELS];
            if (in_bucket == quota)
                continue;
            ++in_bucket;
            kept_.push_back(candidate);
        }
        next_.resize(int(kept_.size()));
        std::vector<Link> links;
        for (size_t i = 0; i < kept_.size(); ++i) {
            beam_.restore(kept_[i].parent);
            int passes = 0;
            hold(kept_[i].move, passes);
            next_.save(int(i), kept_[i].footing);
            links.push_back({kept_[i].parent, kept_[i].move});
        }
        best_progress_ = kept_.empty() ? 0 : kept_.front().footing;
        std::swap(beam_, next_);
        history_.push_back(std::move(links));
        return int(kept_.size());
    }

    std::vector<uint16_t> route_to(int parent, int move, int passes)
    {
        std::vector<int> moves;
        for (size_t step = history_.size(); step-- > 0;) {
            moves.push_back(history_[step][size_t(parent)].move);
            parent = history_[step][size_t(parent)].parent;
        }
        std::reverse(moves.begin(), moves.end());
        std::vector<uint16_t> keys;
        for (int m : moves)
            keys.insert(keys.end(), HOLD_PASSES, MOVES[m]);
        // The pass that changes the level has done so before its keys are
        // read; nothing need be held then.
        keys.insert(keys.end(), size_t(passes - 1), MOVES[move]);
        keys.push_back(0);
        return keys;
    }

    void maybe_report()
    {
        progress_.cpu_seconds = process_cpu_seconds() - started_;
        const auto now = std::chrono::steady_clock::now();
        if (now - last_report_ >= REPORT_EVERY) {
            last_report_ = now;
            if (report_)
                report_(progress_);
        }
    }

    const Saved& start_;
    const int width_;
    RouteProgress& progress_;
    const double started_;
    const double seconds_;
    const std::function<void(const RouteProgress&)>& report_;
    Saved beam_;
    Saved next_;
    std::vector<Candidate> candidates_;
    std::vector<Candidate> kept_;
    std::unordered_set<uint64_t> seen_;
    std::unordered_map<int32_t, int> bucket_counts_;
    std::vector<std::vector<Link>> history_;
    int32_t best_progress_ = 0;
    std::chrono::steady_clock::time_point last_report_ = std::chrono::steady_clock::now();
};

}  // namespace

RouteResult find_route(const LevelStart& start, double cpu_seconds,
                       const std::function<void(const RouteProgress&)>& report)
{
    RouteResult result;
    const double started = process_cpu_seconds();
    start.restart();
    for (uint16_t keys : start.opening)
        run_pass_holding(keys);
    if (game.game_mode != MODE_PLAY)
        return result;

    QuietDrawing quiet;
    Saved origin;
    origin.resize(1);
    origin.save(0, progress_of_camera());
    for (int width : BEAM_WIDTHS) {
        BeamSearch search(origin, width, result.progress, started, cpu_seconds, report);
        std::vector<uint16_t> route;
        if (search.run(route)) {
            result.found = true;
            result.keys = start.opening;
            result.keys.insert(result.keys.end(), route.begin(), route.end());
            break;
        }
        if (search.out_of_time())
            break;
    }
    result.progress.cpu_seconds = process_cpu_seconds() - started;
    if (report)
        report(result.progress);
    return result;
}
