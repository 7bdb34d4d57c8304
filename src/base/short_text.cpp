#include "base/short_text.h"

#include <cstring>
#include <strings.h>

bool same_name(const char* name, size_t length, const char* wanted)
{
    return std::strlen(wanted) == length && strncasecmp(name, wanted, length) == 0;
}

int parse_small_number(const char* text, size_t length, int first, int last)
{
    if (length < 1 || length > 2 || (length == 2 && text[0] == '0'))
        return -1;
    int value = 0;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value >= first && value <= last ? value : -1;
}
