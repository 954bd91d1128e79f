#pragma once

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tracciato {

// An option a command accepts: a flag ("--no-geometry"), or one that takes a value
// ("--out DIR").
struct OptionSpec {
  std::string_view name;
  std::string_view value;  // what the value is, as the help shows it; empty for a flag
  std::string_view help;
};

// Command-line words split into positionals, options with a value ("--out DIR" or
// "--out=DIR") and flags ("--no-geometry").
struct Arguments {
  std::vector<std::string> positionals;
  std::map<std::string, std::string> values;
  std::set<std::string> flags;

  std::optional<std::string> value(const std::string& name) const;
  bool flag(const std::string& name) const { return flags.contains(name); }
};

// "; did you mean NAME?" for a word one slip away from one of `names`; empty otherwise.
std::string did_you_mean(std::string_view word, std::span<const std::string_view> names);

// Returns nullopt with `problem` set for an unknown option or a missing value.
std::optional<Arguments> parse_arguments(std::span<const std::string> words,
                                         std::span<const OptionSpec> options, std::string& problem);

}  // namespace tracciato
