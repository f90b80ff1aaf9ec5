#include "cli/cli.h"

#include "core/replacing_file.h"

#ifdef _WIN32
#include "cli/windows_console.h"
#endif

#include <iostream>

int main(int argc, char** argv)
{
    // Ctrl+C, kill or a closed terminal in the middle of a generation take
    // its temporary file with them (exit codes 130, 143, 129).
    kestrane::RemoveTemporaryFilesOnTermination();
#ifdef _WIN32
    (void)argc;
    (void)argv;
    kestrane::cli::UseWindowsStandardStreams();
    const std::vector<std::string> args = kestrane::cli::WindowsArguments();
#else
    std::vector<std::string> args(argv + 1, argv + argc);
#endif
    const int code = kestrane::cli::Main(args, std::cout, std::cerr);
    std::cout.flush();
    std::cerr.flush();
    return code;
}
