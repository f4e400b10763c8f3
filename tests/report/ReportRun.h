// Running the report tool inside a test and taking its output apart.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "Report.h"

namespace tarvell::test {

struct ReportRun {
    int status;
    std::string out, err;
};

inline ReportRun runReportTool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = runReport(args, out, err);
    return {status, out.str(), err.str()};
}

inline std::vector<std::string> textLines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

// Fields of a CSV line, keeping empty ones (a trailing empty field included).
inline std::vector<std::string> csvFields(const std::string& line) {
    std::vector<std::string> result(1);
    for (char c : line) {
        if (c == ',')
            result.emplace_back();
        else
            result.back() += c;
    }
    return result;
}

}  // namespace tarvell::test
