#include "cli/cli.h"

#include "core/replacing_file.h"

#include <iostream>

int main(int argc, char** argv)
{
    // Ctrl+C, kill or a closed terminal in the middle of a generation take
    // its temporary file with them (exit codes 130, 143, 129).
    kestrane::RemoveTemporaryFilesOnTermination();
    std::vector<std::string> args(argv + 1, argv + argc);
    return kestrane::cli::Main(args, std::cout, std::cerr);
}
