// Line and word reading for the asset sources.
#include "source_text.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string located(const std::string& file, int line, const std::string& message)
{
    std::ostringstream out;
    out << file << ":" << line << ": " << message;
    return out.str();
}

// "#rrggbb" is a colour, not the start of a comment.
bool starts_colour(const std::string& text, size_t i)
{
    if (i + 7 > text.size())
        return false;
    for (size_t k = i + 1; k < i + 7; ++k)
        if (!std::isxdigit(static_cast<unsigned char>(text[k])))
            return false;
    return i + 7 == text.size() || text[i + 7] == ' ' || text[i + 7] == '\t';
}

// A number, the whole word used.
bool parse_number_word(const std::string& word, double* out)
{
    if (word.empty())
        return false;
    char* end = nullptr;
    double value = std::strtod(word.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value))
        return false;
    *out = value;
    return true;
}

}  // namespace

SourceError::SourceError(const std::string& file, int line, const std::string& message)
    : std::runtime_error(located(file, line, message)), file_(file), line_(line)
{
}

SourceFile source_from_text(const std::string& name, const std::string& text)
{
    SourceFile file;
    file.name = name;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();  // edited on Windows
        file.lines.push_back(line);
    }
    return file;
}

SourceFile read_source_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw SourceError(path, 0, "cannot open file");
    std::ostringstream text;
    text << in.rdbuf();
    return source_from_text(path, text.str());
}

bool parse_int_word(const std::string& word, int* out)
{
    if (word.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(word.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || value < -1000000000L || value > 1000000000L)
        return false;
    *out = static_cast<int>(value);
    return true;
}

Statement::Statement(const SourceFile& file, int line_index)
    : file_(file.name), line_(line_index + 1)
{
    const std::string& text = file.lines.at(static_cast<size_t>(line_index));
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == ' ' || c == '\t') {
            ++i;
            continue;
        }
        if (c == '#' && !starts_colour(text, i))
            break;
        if (c == '"') {
            size_t close = text.find('"', i + 1);
            if (close == std::string::npos)
                fail("unterminated quoted text");
            words_.push_back(text.substr(i + 1, close - i - 1));
            quoted_.push_back(true);
            i = close + 1;
            continue;
        }
        size_t end = i;
        while (end < text.size() && text[end] != ' ' && text[end] != '\t')
            ++end;
        std::string word = text.substr(i, end - i);
        size_t eq = word.find('=');
        if (eq != std::string::npos && eq > 0) {
            std::string key = word.substr(0, eq);
            if (options_.count(key))
                fail("option '" + key + "' given twice");
            options_[key] = word.substr(eq + 1);
        } else {
            words_.push_back(word);
            quoted_.push_back(false);
        }
        i = end;
    }
}

const std::string& Statement::word(size_t i) const
{
    if (i >= words_.size())
        fail("missing word " + std::to_string(i + 1));
    return words_[i];
}

void Statement::fail(const std::string& message) const
{
    throw SourceError(file_, line_, message);
}

int Statement::integer(size_t i, const char* what) const
{
    int value = 0;
    if (!parse_int_word(word(i), &value))
        fail(std::string("expected a whole number for ") + what + ", got '" + word(i) + "'");
    return value;
}

double Statement::number(size_t i, const char* what) const
{
    double value = 0;
    if (!parse_number_word(word(i), &value))
        fail(std::string("expected a number for ") + what + ", got '" + word(i) + "'");
    return value;
}

void Statement::expect_words(size_t min_count, size_t max_count, const char* usage) const
{
    if (words_.size() < min_count || words_.size() > max_count)
        fail(std::string("expected: ") + usage);
}

std::string Statement::text_option(const std::string& key, const std::string& fallback) const
{
    auto it = options_.find(key);
    if (it == options_.end())
        return fallback;
    used_.insert(key);
    return it->second;
}

namespace {

// An option's number, within lo..hi, or `fallback` when the option is not
// given.
template <typename T>
T ranged_option(const Statement& st, const std::string& key, T fallback, T lo, T hi,
                bool (*parse)(const std::string&, T*), const char* kind)
{
    if (!st.has(key))
        return fallback;
    const std::string text = st.text_option(key, "");
    T value = 0;
    if (!parse(text, &value))
        st.fail("option " + key + " needs " + kind + ", got '" + text + "'");
    if (value < lo || value > hi) {
        std::ostringstream msg;
        msg << "option " << key << "=" << text << " is outside " << lo << ".." << hi;
        st.fail(msg.str());
    }
    return value;
}

}  // namespace

double Statement::number_option(const std::string& key, double fallback, double lo, double hi) const
{
    return ranged_option(*this, key, fallback, lo, hi, parse_number_word, "a number");
}

int Statement::integer_option(const std::string& key, int fallback, int lo, int hi) const
{
    return ranged_option(*this, key, fallback, lo, hi, parse_int_word, "a whole number");
}

bool Statement::range_option(const std::string& key, double lo, double hi, double* from,
                             double* to) const
{
    auto it = options_.find(key);
    if (it == options_.end())
        return false;
    used_.insert(key);
    const std::string& text = it->second;
    size_t dots = text.find("..");
    std::string a = dots == std::string::npos ? text : text.substr(0, dots);
    std::string b = dots == std::string::npos ? text : text.substr(dots + 2);
    if (!parse_number_word(a, from) || !parse_number_word(b, to))
        fail("option " + key + " needs a number or a range A..B, got '" + text + "'");
    if (*from < lo || *from > hi || *to < lo || *to > hi) {
        std::ostringstream msg;
        msg << "option " << key << "=" << text << " is outside " << lo << ".." << hi;
        fail(msg.str());
    }
    return true;
}

void Statement::finish() const
{
    for (const auto& option : options_)
        if (!used_.count(option.first))
            fail("unknown option '" + option.first + "'");
}
