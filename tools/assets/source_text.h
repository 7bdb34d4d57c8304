// Reading the asset builder's text sources: files split into lines, lines
// split into words and key=value options, and errors that name the file and
// line so that whoever edits the art or the music finds the mistake at once.
#pragma once

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

// A mistake in a source file. what() reads "FILE:LINE: message" (line 0 when
// the problem is the file as a whole, e.g. it cannot be opened).
class SourceError : public std::runtime_error {
public:
    SourceError(const std::string& file, int line, const std::string& message);
    const std::string& file() const { return file_; }
    int line() const { return line_; }

private:
    std::string file_;
    int line_;
};

// A whole source file held in memory. `name` is what error messages show.
struct SourceFile {
    std::string name;
    std::vector<std::string> lines;
};

SourceFile read_source_file(const std::string& path);
SourceFile source_from_text(const std::string& name, const std::string& text);

// One line of a source file cut into words. A word in double quotes keeps its
// spaces; a bare word holding '=' becomes an option. A word starting with '#'
// starts a comment, unless it is a colour written #rrggbb; inside a word
// '#' is an ordinary character (the sharp of C#3).
class Statement {
public:
    Statement(const SourceFile& file, int line_index);

    bool empty() const { return words_.empty() && options_.empty(); }
    int line() const { return line_; }
    const std::string& file() const { return file_; }
    size_t size() const { return words_.size(); }
    const std::string& word(size_t i) const;
    bool is_quoted(size_t i) const { return i < quoted_.size() && quoted_[i]; }
    const std::vector<std::string>& words() const { return words_; }

    [[noreturn]] void fail(const std::string& message) const;

    // Positional words as numbers; a bad word is reported with its name.
    int integer(size_t i, const char* what) const;
    double number(size_t i, const char* what) const;
    void expect_words(size_t min_count, size_t max_count, const char* usage) const;

    // Options. Every option read is remembered so that finish() can report a
    // misspelt one instead of silently ignoring it.
    bool has(const std::string& key) const { return options_.count(key) != 0; }
    std::string text_option(const std::string& key, const std::string& fallback) const;
    double number_option(const std::string& key, double fallback, double lo, double hi) const;
    int integer_option(const std::string& key, int fallback, int lo, int hi) const;
    // "A..B" gives both ends; a single number gives the same value twice.
    bool range_option(const std::string& key, double lo, double hi, double* from, double* to) const;
    void finish() const;

private:
    std::string file_;
    int line_;
    std::vector<std::string> words_;
    std::vector<bool> quoted_;
    std::map<std::string, std::string> options_;
    mutable std::set<std::string> used_;
};

// Strict number parsing shared by the parsers: the whole word must be used.
bool parse_int_word(const std::string& word, int* out);
