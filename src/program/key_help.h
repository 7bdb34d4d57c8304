// The line of keys the browser's page shows under the picture: what each key
// does in the start mode, named as the player has bound them ("A and D walk,
// W jumps, ...").
#pragma once

#include <cstdint>
#include <string>

#include "program/key_bindings.h"

std::string key_help_line(int32_t start_mode, const KeyBindings& bindings);
