// The short texts a player writes in settings and on command lines: names
// in any case, and small numbers.
#pragma once

#include <cstddef>

// Whether the `length` characters at `name` are `wanted`, in any case.
bool same_name(const char* name, size_t length, const char* wanted);

// A number of one or two digits, without a leading zero, from `first` to
// `last`; -1 for anything else.
int parse_small_number(const char* text, size_t length, int first, int last);
