// tarvell-report: the gear's motion over one turn as CSV (see --help).
#include <iostream>
#include <string>
#include <vector>

#include "Report.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return tarvell::runReport(args, std::cout, std::cerr);
}
