#pragma once

#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace tracciato {

// Command-line words split into positionals, options with a value ("--out DIR" or
// "--out=DIR") and flags ("--no-geometry").
struct Arguments {
  std::vector<std::string> positionals;
  std::map<std::string, std::string> values;
  std::set<std::string> flags;

  std::optional<std::string> value(const std::string& name) const;
  bool flag(const std::string& name) const { return flags.contains(name); }
};

// Returns nullopt with `problem` set for an unknown option or a missing value.
std::optional<Arguments> parse_arguments(std::span<const std::string> words,
                                         const std::set<std::string>& with_value,
                                         const std::set<std::string>& flags, std::string& problem);

}  // namespace tracciato
