// tarvell-report events: the valve events of chosen reverse arm positions.
#include <ostream>

#include "Report.h"

namespace tarvell {

int runEventsCommand(const std::vector<std::string>&, std::size_t, std::ostream&,
                     std::ostream& err) {
    err << "tarvell-report: the events command is not available yet\n";
    return 2;
}

}  // namespace tarvell
