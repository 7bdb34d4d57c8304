#include "base/key_names.h"

#include <allegro.h>

#include <cstring>

namespace {

// Allegro's scancodes in the order of KEY_NAMES.
const int ALLEGRO_KEYS[KEY_NAME_COUNT] = {
    KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_SPACE,  KEY_S,   KEY_ENTER,
    KEY_F1,   KEY_F2,    KEY_F3, KEY_F4,   KEY_RSHIFT, KEY_ESC,
};

constexpr size_t text_length_of_all_names()
{
    size_t length = KEY_NAME_COUNT - 1;
    for (const char* name : KEY_NAMES)
        while (*name++)
            ++length;
    return length;
}

static_assert(text_length_of_all_names() == KEY_SET_TEXT_MAX, "KEY_SET_TEXT_MAX is out of date");
static_assert(KEY_SET_ESC == 1 << (KEY_NAME_COUNT - 1), "ESC is the last key of the table");

}  // namespace

int key_name_index(const char* name, size_t length)
{
    for (int i = 0; i < KEY_NAME_COUNT; ++i)
        if (std::strlen(KEY_NAMES[i]) == length && std::memcmp(KEY_NAMES[i], name, length) == 0)
            return i;
    return -1;
}

uint16_t held_key_set()
{
    uint16_t keys = 0;
    for (int i = 0; i < KEY_NAME_COUNT; ++i)
        if (key[ALLEGRO_KEYS[i]])
            keys |= uint16_t(1u << i);
    return keys;
}

void hold_key_set(uint16_t keys)
{
    for (int i = 0; i < KEY_NAME_COUNT; ++i)
        key[ALLEGRO_KEYS[i]] = (keys >> i & 1) ? 1 : 0;
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
        for (const char* c = KEY_NAMES[i]; *c; ++c)
            out[length++] = *c;
    }
    out[length] = '\0';
    return length;
}
