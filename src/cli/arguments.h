#pragma once

#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/failure.h"

namespace tracciato {

// What the value of an option may be. The parse refuses any other, so a command reads a
// value it can use.
struct ValueType {
  enum class Kind { kText, kPath, kWhole, kWord };
  Kind kind = Kind::kText;
  std::int64_t least = 0;  // a whole number's range
  std::int64_t most = 0;
};
inline constexpr ValueType kPathValue{ValueType::Kind::kPath};
// One of the words the option's `value` lists, as "text|json".
inline constexpr ValueType kWordValue{ValueType::Kind::kWord};
constexpr ValueType whole_number(std::int64_t least, std::int64_t most) {
  return {ValueType::Kind::kWhole, least, most};
}
inline constexpr ValueType kAnyWholeNumber = whole_number(std::numeric_limits<std::int64_t>::min(),
                                                          std::numeric_limits<std::int64_t>::max());

// An option a command accepts: a flag ("--no-geometry"), or one that takes a value
// ("--out DIR").
struct OptionSpec {
  std::string_view name;
  // What the value is, as the help shows it; a word option's words, as "auto|always|never";
  // empty for a flag.
  std::string_view value;
  std::string_view help;
  ValueType type = {};
};

// The positionals a command takes: `counts` says how many it may be given, `what` names
// them in the complaint. An entry with a `flag`, listed first, holds when that flag is
// given; the entry without one otherwise.
struct Positionals {
  std::string_view flag;
  std::vector<std::size_t> counts;
  std::string_view what;
};

// Command-line words split into positionals, options with a value ("--out DIR" or
// "--out=DIR") and flags ("--no-geometry").
struct Arguments {
  std::vector<std::string> positionals;
  std::map<std::string, std::string> values;
  std::set<std::string> flags;

  std::optional<std::string> value(const std::string& name) const;
  // The value of a whole-number option, which the parse has checked.
  std::optional<std::int64_t> whole(const std::string& name) const;
  bool flag(const std::string& name) const { return flags.contains(name); }
};

// "; did you mean NAME?" for a word one slip away from one of `names`; empty otherwise.
std::string did_you_mean(std::string_view word, std::span<const std::string_view> names);

// The whole number a word is written as, all of it; nothing for any other word.
std::optional<std::int64_t> whole_number_of(std::string_view word);

// A usage failure for an unknown option, a missing value or a value of the wrong type.
Result<Arguments> parse_arguments(std::span<const std::string> words,
                                  std::span<const OptionSpec> options);

// A usage failure ("takes LINE and TRAIN") when the positionals are not as many as they may
// be; `command` names the command in it.
std::optional<Failure> positionals_problem(std::string_view command,
                                           std::span<const Positionals> positionals,
                                           const Arguments& args);

}  // namespace tracciato
