// The options of one report command, declared once as a table and read by one parser, so
// every command treats help, missing and empty values, unknown words and repetitions alike:
// an option that takes one value may be given once; a repeatable one gathers its values in
// order; a list option's comma-separated values are joined across repetitions.
#pragma once

#include <iosfwd>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvell {

enum class OptionKind {
    Flag,      // no value
    Once,      // one value; given twice is an error
    Repeated,  // a value each time, all kept in order
    List,      // comma-separated values; repetitions add to the list
};

struct OptionSpec {
    std::string_view name;  // "--file"
    OptionKind kind;
};

class CommandOptions {
  public:
    bool has(std::string_view name) const { return values_.count(std::string(name)) > 0; }
    // The value of a Once option, or `fallback` when it was not given.
    std::string value(std::string_view name, std::string_view fallback = {}) const;
    // Every value of a Repeated option in order; a List option's items, split at commas.
    std::vector<std::string> values(std::string_view name) const;

    void add(std::string_view name, std::string value);

  private:
    std::map<std::string, std::vector<std::string>, std::less<>> values_;
};

// Reads `args` from `first` by `specs`. Returns nothing when the command should go on, or the
// exit status it ends with: 0 after "--help" or "-h" has printed `usage` to `out`, 2 after a
// fault (an unknown word, a value missing or empty, a single option repeated) has been said on
// `err` as "tarvell-report: <command>: ..." (no command name for the default command).
std::optional<int> readCommandOptions(const std::vector<std::string>& args, std::size_t first,
                                      std::span<const OptionSpec> specs, std::string_view command,
                                      std::string_view usage, CommandOptions& options,
                                      std::ostream& out, std::ostream& err);

// The start of a complaint about a value, "tarvell-report: ".
std::ostream& complain(std::ostream& err);

}  // namespace tarvell
