#include "base/key_names.h"

#include <cstring>

#include "base/game_state.h"

namespace {

constexpr size_t text_length_of_all_names()
{
    size_t length = KEY_NAME_COUNT - 1;
    for (int i = 0; i < KEY_NAME_COUNT; ++i)
        for (const char* name = CONTROLS[i].name; *name++;)
            ++length;
    return length;
}

static_assert(text_length_of_all_names() == KEY_SET_TEXT_MAX, "KEY_SET_TEXT_MAX is out of date");

}  // namespace

int key_name_index(const char* name, size_t length)
{
    for (int i = 0; i < KEY_NAME_COUNT; ++i)
        if (std::strlen(CONTROLS[i].name) == length
            && std::memcmp(CONTROLS[i].name, name, length) == 0)
            return i;
    return -1;
}

uint16_t held_key_set()
{
    return uint16_t(game.held_keys);
}

void hold_key_set(uint16_t keys)
{
    game.held_keys = keys & GAME_KEY_BITS;
}

size_t format_key_set(uint16_t keys, char* out, size_t size)
{
    if (size < KEY_SET_TEXT_MAX + 1)
        return 0;
    size_t length = 0;
    for (int i = 0; i < KEY_NAME_COUNT; ++i) {
        if (!(keys >> i & 1))
            continue;
        if (length)
            out[length++] = ' ';
        for (const char* c = CONTROLS[i].name; *c; ++c)
            out[length++] = *c;
    }
    out[length] = '\0';
    return length;
}
