// CSV text for spreadsheets: a comment line naming what the table is, the data set and the
// date, a header row, then rows; or, for the report tool's sections, rows under comment lines
// of their own. Numbers always use "." as the decimal point, whatever the desktop's locale;
// fields holding a comma, a quote or a line break are quoted.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tarvell {

class CsvWriter {
  public:
    // "# <what>, data set <name>, <date>" as the first line, line breaks in them made spaces.
    CsvWriter(std::string_view what, std::string_view dataSetName, std::string_view date);
    // No comment line to begin with.
    CsvWriter() = default;

    // "# <text>" on a line of its own, line breaks in it made spaces.
    void comment(std::string_view text);
    // An empty line, as between the sections of a report.
    void blank();

    void header(const std::vector<std::string>& names);
    void row(const std::vector<std::string>& fields);

    // A number with `decimals` digits after the point, or full single precision (%.9g)
    // when decimals is negative. Empty for a value that is not a finite number.
    static std::string number(double v, int decimals = -1);
    // A field as written: quoted when it must be.
    static std::string field(std::string_view text);

    const std::string& text() const { return text_; }

  private:
    void line(const std::vector<std::string>& fields);
    std::string text_;
};

}  // namespace tarvell
