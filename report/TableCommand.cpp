// tarvell-report table: the pivot data table of six chosen pivots over one turn.
#include <ostream>

#include "Report.h"

namespace tarvell {

int runTableCommand(const std::vector<std::string>&, std::size_t, std::ostream&,
                    std::ostream& err) {
    err << "tarvell-report: the table command is not available yet\n";
    return 2;
}

}  // namespace tarvell
