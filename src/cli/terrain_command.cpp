// kestrane terrain: the area builder's generate button on the command line.
#include "cli/cli.h"

namespace kestrane::cli {

int RunTerrain(const std::vector<std::string>&, std::ostream&, std::ostream& err)
{
    err << "kestrane terrain: not available yet\n";
    return kExitBadInput;
}

}  // namespace kestrane::cli
