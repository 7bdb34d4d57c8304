#include "base/key_names.h"

#include <allegro.h>

#include <cstring>

namespace {

constexpr size_t text_length_of_all_names()
{
    size_t length = KEY_NAME_COUNT - 1;
    for (const GameKey& game_key : GAME_KEYS)
        for (const char* name = game_key.name; *name++;)
            ++length;
    return length;
}

static_assert(text_length_of_all_names() == KEY_SET_TEXT_MAX, "KEY_SET_TEXT_MAX is out of date");
static_assert(KEY_SET_ESC == 1 << (KEY_NAME_COUNT - 1), "ESC is the last key of the table");

}  // namespace

int key_name_index(const char* name, size_t length)
{
    for (int i = 0; i < KEY_NAME_COUNT; ++i)
        if (std::strlen(GAME_KEYS[i].name) == length
            && std::memcmp(GAME_KEYS[i].name, name, length) == 0)
            return i;
    return -1;
}

uint16_t held_key_set()
{
    uint16_t keys = 0;
    for (int i = 0; i < KEY_NAME_COUNT; ++i)
        if (key[GAME_KEYS[i].scancode])
            keys |= uint16_t(1u << i);
    return keys;
}

void hold_key_set(uint16_t keys)
{
    for (int i = 0; i < KEY_NAME_COUNT; ++i)
        key[GAME_KEYS[i].scancode] = (keys >> i & 1) ? 1 : 0;
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
        for (const char* c = GAME_KEYS[i].name; *c; ++c)
            out[length++] = *c;
    }
    out[length] = '\0';
    return length;
}
