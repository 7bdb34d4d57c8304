// tarnblast-levels: tools for making levels. See the README, "From an
// export to a built-in level".
#include <iostream>
#include <string>
#include <vector>

#include "levels_tool.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return run_levels_tool(args, std::cout, std::cerr);
}
