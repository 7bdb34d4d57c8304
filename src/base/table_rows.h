// The game's tables whose rows follow an enumeration (the controls, the
// asset files, the settings) check at compile time that each row stands at
// the place its own name gives: a missing or moved row does not compile.
#pragma once

#include <cstddef>

template <typename Row, size_t N, typename Name>
constexpr bool rows_in_order(const Row (&rows)[N], Name Row::*name)
{
    for (size_t i = 0; i < N; ++i)
        if (size_t(rows[i].*name) != i)
            return false;
    return true;
}
