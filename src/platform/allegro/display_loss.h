// The game's X display: why the game cannot start on it, and the game's end
// when it goes away under a running game.
#pragma once

// From now on, losing the connection to the X display (the server stopped,
// the connection broke) ends the game within the pass: one line on stderr
// and exit code 1. Call it once Allegro's system driver has opened the
// display.
void end_game_when_display_goes();

// Says on stderr, in one line, why the game cannot start: `failed_step`
// ("cannot start Allegro"), then the library's own reason, or a plain one
// when the library gives none (an empty string).
void report_start_failure(const char* failed_step, const char* library_reason);
