// tarnblast-levels link, unlink and gallery: levels as links that a browser
// player opens at once, and a page of a folder's levels.
//
//   link N|FILE [--page URL]          prints the level's link
//   unlink LINK OUT.txt               writes the level file a link holds
//   gallery FOLDER|--builtin OUT [--seconds S] [--page URL]
//                                     writes OUT/index.html and its maps
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Each runs one command (args start with its name) and returns the exit code:
// 0 done, 1 an output that cannot be written (or no data/ to draw with), 2 a
// bad command line or an input that is no level or no level link.
int run_link(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int run_unlink(const std::vector<std::string>& args, std::ostream& err);
int run_gallery(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The link that replays a route: the level's link with "&watch=" and the
// route's script, deflated, in base64url. Empty when it cannot be made.
std::string watch_link(const std::string& level_link, const std::string& script);
