// kestrane check: reads B3D files and reports their problems.
#include "cli/cli.h"

namespace kestrane::cli {

int RunCheck(const std::vector<std::string>&, std::ostream&, std::ostream& err)
{
    err << "kestrane check: not available yet\n";
    return kExitBadInput;
}

}  // namespace kestrane::cli
