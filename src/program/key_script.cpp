#include "program/key_script.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "base/key_names.h"

namespace {

// A script may repeat a line this often at most; far beyond any real run.
constexpr int64_t MAX_REPEAT = 1000000000000LL;

bool parse_count(const std::string& digits, int64_t& value)
{
    if (digits.empty() || digits.size() > 13)
        return false;
    value = 0;
    for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

std::string line_error(int line, const std::string& what)
{
    return "line " + std::to_string(line) + ": " + what;
}

// One line without its comment; false with an error for a bad line.
bool parse_line(std::string text, int line, ScriptRun& run, std::string& error)
{
    run.passes = 1;
    run.keys = 0;
    const size_t star = text.find('*');
    if (star != std::string::npos) {
        std::string count = text.substr(0, star);
        while (!count.empty() && std::isspace(static_cast<unsigned char>(count.back())))
            count.pop_back();
        while (!count.empty() && std::isspace(static_cast<unsigned char>(count.front())))
            count.erase(0, 1);
        if (!parse_count(count, run.passes) || run.passes < 1 || run.passes > MAX_REPEAT) {
            error = line_error(line, "a repeat count must be a whole number from 1 to "
                                         + std::to_string(MAX_REPEAT) + " before '*'");
            return false;
        }
        text = text.substr(star + 1);
    }
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        const int index = key_name_index(word.c_str(), word.size());
        if (index >= 0) {
            run.keys |= uint16_t(1u << index);
        } else {
            error = line_error(line, "unknown key name '" + word.substr(0, 40) + "'");
            return false;
        }
    }
    return true;
}

}  // namespace

bool parse_key_script(const std::string& text, KeyScript& script, std::string& error)
{
    script = KeyScript{};
    std::istringstream lines(text);
    std::string raw;
    int line = 0;
    while (std::getline(lines, raw)) {
        ++line;
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        const size_t hash = raw.find('#');
        const bool had_comment = hash != std::string::npos;
        std::string body = had_comment ? raw.substr(0, hash) : raw;
        bool blank = true;
        for (char c : body)
            if (!std::isspace(static_cast<unsigned char>(c)))
                blank = false;
        if (blank && had_comment)
            continue;  // a comment line is not a pass
        ScriptRun run;
        if (!parse_line(body, line, run, error))
            return false;
        if (!script.runs.empty() && script.runs.back().keys == run.keys)
            script.runs.back().passes += run.passes;
        else
            script.runs.push_back(run);
        script.total_passes += run.passes;
    }
    return true;
}

std::string key_set_text(uint16_t keys)
{
    char text[KEY_SET_TEXT_MAX + 1];
    return std::string(text, format_key_set(keys, text, sizeof text));
}

void ScriptPlayer::skip_spent_runs()
{
    while (run_ < script_->runs.size() && pass_in_run_ >= script_->runs[run_].passes) {
        ++run_;
        pass_in_run_ = 0;
    }
}

bool ScriptPlayer::next_pass(uint16_t& keys)
{
    if (finished())
        return false;
    keys = script_->runs[run_].keys;
    ++pass_in_run_;
    skip_spent_runs();
    return true;
}

void hold_script_keys(uint16_t keys)
{
    hold_key_set(keys);
}

uint16_t held_script_keys()
{
    return held_key_set();
}

bool PassList::contains(int64_t pass) const
{
    if (ranges.empty())
        return true;
    for (const PassRange& r : ranges)
        if (pass >= r.first && pass <= r.last)
            return true;
    return false;
}

bool parse_pass_list(const std::string& text, int64_t lowest, PassList& list, std::string& error)
{
    list.ranges.clear();
    std::istringstream items(text);
    std::string item;
    while (std::getline(items, item, ',')) {
        const size_t dash = item.find('-');
        PassRange range{};
        const bool ok = dash == std::string::npos
                            ? parse_count(item, range.first)
                            : parse_count(item.substr(0, dash), range.first)
                                  && parse_count(item.substr(dash + 1), range.last);
        if (dash == std::string::npos)
            range.last = range.first;
        if (!ok || range.first < lowest || range.last < range.first) {
            error = "bad list item '" + item.substr(0, 40) + "' (use numbers from "
                    + std::to_string(lowest) + " and ranges like 100-120)";
            return false;
        }
        list.ranges.push_back(range);
    }
    if (list.ranges.empty()) {
        error = "empty list";
        return false;
    }
    return true;
}

bool load_key_script(const std::string& path, KeyScript& script, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read script " + path + ": " + std::strerror(errno);
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad()) {
        error = "cannot read script " + path;
        return false;
    }
    if (!parse_key_script(text.str(), script, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}
