// The command line on Windows: its arguments as UTF-8 (as on Linux), and
// the two output streams written so that Hungarian messages arrive intact.
#pragma once

#include <string>
#include <vector>

namespace kestrane::cli {

// The arguments after the program name, decoded from the UTF-16 command
// line to UTF-8 (never through the narrow code page, which would lose every
// "ő" and "ű").
std::vector<std::string> WindowsArguments();

// Points std::cout and std::cerr at the process's standard output and
// error: to a console as UTF-16 through WriteConsoleW, whatever its code
// page; to a file or a pipe as the very bytes the Linux build writes (UTF-8,
// lines ending in LF, no CR added).
void UseWindowsStandardStreams();

}  // namespace kestrane::cli
