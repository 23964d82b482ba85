// Terminal: whether a standard stream goes to a person's terminal.
#pragma once

#include <cstdio>

// True when the stream is a terminal (a console on Windows), false for a file, a pipe or nothing.
bool isTerminal(std::FILE *stream);
