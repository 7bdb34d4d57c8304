// tarnblast-replay --help and --version, answered before anything starts.
#pragma once

// When an argument is --help (or -h) or --version, prints the usage or the
// version on stdout and returns 0; otherwise returns -1 and the run goes on.
int answer_replay_help(int argc, char** argv);
