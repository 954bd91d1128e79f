#include "cli/arguments.h"

#include "base/edit_distance.h"

namespace tracciato {

std::optional<std::string> Arguments::value(const std::string& name) const {
  const auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

namespace {
const OptionSpec* find_option(std::span<const OptionSpec> options, std::string_view name) {
  for (const OptionSpec& option : options) {
    if (option.name == name) return &option;
  }
  return nullptr;
}
}  // namespace

std::string did_you_mean(std::string_view word, std::span<const std::string_view> names) {
  const auto meant = nearest(word, names);
  return meant ? "; did you mean " + std::string(*meant) + "?" : "";
}

std::optional<Arguments> parse_arguments(std::span<const std::string> words,
                                         std::span<const OptionSpec> options,
                                         std::string& problem) {
  Arguments args;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    // "-" alone is standard input; any other word with a leading dash is an option.
    if (!word.starts_with("-") || word == "-") {
      args.positionals.push_back(word);
      continue;
    }
    const std::size_t eq = word.find('=');
    const std::string name = word.substr(0, eq);
    const OptionSpec* option = find_option(options, name);
    if (option && !option->value.empty()) {
      if (eq == std::string::npos && i + 1 >= words.size()) {
        problem = name + " needs a value";
        return std::nullopt;
      }
      args.values[name] = eq != std::string::npos ? word.substr(eq + 1) : words[++i];
    } else if (option && eq == std::string::npos) {
      args.flags.insert(name);
    } else {
      std::vector<std::string_view> names;
      for (const OptionSpec& known : options) names.push_back(known.name);
      problem = "unknown option " + word + did_you_mean(name, names);
      return std::nullopt;
    }
  }
  return args;
}

}  // namespace tracciato
