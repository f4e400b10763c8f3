// Reading a report command's options (see CommandOptions.h).
#include "CommandOptions.h"

#include <algorithm>
#include <ostream>

namespace tarvell {

std::string CommandOptions::value(std::string_view name, std::string_view fallback) const {
    const auto it = values_.find(name);
    return it == values_.end() || it->second.empty() ? std::string(fallback) : it->second.front();
}

std::vector<std::string> CommandOptions::values(std::string_view name) const {
    const auto it = values_.find(name);
    return it == values_.end() ? std::vector<std::string>{} : it->second;
}

void CommandOptions::add(std::string_view name, std::string value) {
    values_[std::string(name)].push_back(std::move(value));
}

std::ostream& complain(std::ostream& err) {
    return err << "tarvell-report: ";
}

namespace {

// A list option's value split at commas; empty items are kept, for the command to refuse.
std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> items;
    std::size_t at = 0;
    for (;;) {
        const std::size_t comma = text.find(',', at);
        items.push_back(text.substr(at, comma - at));
        if (comma == std::string::npos) return items;
        at = comma + 1;
    }
}

}  // namespace

std::optional<int> readCommandOptions(const std::vector<std::string>& args, std::size_t first,
                                      std::span<const OptionSpec> specs, std::string_view command,
                                      std::string_view usage, CommandOptions& options,
                                      std::ostream& out, std::ostream& err) {
    auto fault = [&]() -> std::ostream& {
        complain(err);
        if (!command.empty()) err << command << ": ";
        return err;
    };
    const std::string helpHint =
        command.empty() ? "see --help" : "see " + std::string(command) + " --help";
    for (std::size_t i = first; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--help" || word == "-h") {
            out << usage;
            return 0;
        }
        const auto spec = std::find_if(specs.begin(), specs.end(),
                                       [&](const OptionSpec& s) { return s.name == word; });
        if (spec == specs.end()) {
            fault() << "unknown argument \"" << word << "\" (" << helpHint << ")\n";
            return 2;
        }
        if (spec->kind == OptionKind::Flag) {
            options.add(word, {});
            continue;
        }
        if (i + 1 >= args.size()) {
            fault() << word << " needs a value\n";
            return 2;
        }
        const std::string& value = args[++i];
        if (value.empty()) {
            fault() << word << " needs a value, and the one given is empty\n";
            return 2;
        }
        if (spec->kind == OptionKind::Once && options.has(word)) {
            fault() << word << " may be given only once\n";
            return 2;
        }
        if (spec->kind == OptionKind::List) {
            for (std::string& item : splitList(value)) options.add(word, std::move(item));
        } else {
            options.add(word, value);
        }
    }
    return std::nullopt;
}

}  // namespace tarvell
