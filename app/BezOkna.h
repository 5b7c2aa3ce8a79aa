#pragma once
// The program started with options: checks without any window or message
// box; results and errors go to the console and the exit code.

#include <string>
#include <vector>

// The command line's arguments after the program's name, in UTF-8.
std::vector<std::string> ArgumentyProgramu();

int UruchomBezOkna(const std::vector<std::string>& argumenty);
