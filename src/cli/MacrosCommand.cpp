#include "cli/Commands.h"

namespace qv530::cli {

// Placeholder until the macro encoder lands.
int RunMacros(const Args&, std::ostream&, std::ostream& err) {
    err << "qv530ctl: macros: not available in this build\n";
    return 2;
}

} // namespace qv530::cli
