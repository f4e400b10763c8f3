// CSV text for spreadsheets (see Csv.h).
#include "Csv.h"

#include <charconv>
#include <cmath>

#include "Numbers.h"

namespace tarvell {

namespace {

// A text for the comment line: a line break inside it would start a line the spreadsheet
// reads as a row.
std::string oneLine(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (c == '\n' || c == '\r') c = ' ';
    return s;
}

}  // namespace

CsvWriter::CsvWriter(std::string_view what, std::string_view dataSetName, std::string_view date) {
    text_ =
        "# " + oneLine(what) + ", data set " + oneLine(dataSetName) + ", " + oneLine(date) + "\n";
}

void CsvWriter::comment(std::string_view text) {
    text_ += "# " + oneLine(text) + "\n";
}

void CsvWriter::blank() {
    text_ += '\n';
}

void CsvWriter::header(const std::vector<std::string>& names) {
    line(names);
}

void CsvWriter::row(const std::vector<std::string>& fields) {
    line(fields);
}

void CsvWriter::line(const std::vector<std::string>& fields) {
    bool first = true;
    for (const std::string& f : fields) {
        if (!first) text_ += ',';
        text_ += field(f);
        first = false;
    }
    text_ += '\n';
}

std::string CsvWriter::number(double v, int decimals) {
    if (!std::isfinite(v)) return {};
    if (decimals >= 0) return formatFixed(v, 0, decimals);
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 9);
    return std::string(buf, res.ptr);
}

std::string CsvWriter::field(std::string_view text) {
    if (text.find_first_of(",\"\n\r") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

}  // namespace tarvell
