#include "cli/arguments.h"

#include <algorithm>
#include <charconv>

#include "base/edit_distance.h"

namespace tracciato {

std::optional<std::string> Arguments::value(const std::string& name) const {
  const auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

std::optional<std::int64_t> Arguments::whole(const std::string& name) const {
  const auto text = value(name);
  return text ? whole_number_of(*text) : std::nullopt;
}

std::optional<std::int64_t> whole_number_of(std::string_view word) {
  std::int64_t n = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), n);
  if (error != std::errc{} || end != word.data() + word.size()) return std::nullopt;
  return n;
}

namespace {

const OptionSpec* find_option(std::span<const OptionSpec> options, std::string_view name) {
  const auto found = std::ranges::find(options, name, &OptionSpec::name);
  return found == options.end() ? nullptr : &*found;
}

// "text or json", "auto, always or never": the words of a word option.
std::string listed(std::string_view words) {
  std::string out;
  for (std::size_t bar; (bar = words.find('|')) != std::string_view::npos;) {
    out += std::string(words.substr(0, bar));
    words.remove_prefix(bar + 1);
    out += words.find('|') == std::string_view::npos ? " or " : ", ";
  }
  return out + std::string(words);
}

bool is_word_of(std::string_view word, std::string_view words) {
  for (std::size_t bar; (bar = words.find('|')) != std::string_view::npos;) {
    if (words.substr(0, bar) == word) return true;
    words.remove_prefix(bar + 1);
  }
  return words == word;
}

std::string range_of(const ValueType& type) {
  if (type.least == kAnyWholeNumber.least && type.most == kAnyWholeNumber.most) return "";
  if (type.most == kAnyWholeNumber.most) return " from " + std::to_string(type.least) + " on";
  return " from " + std::to_string(type.least) + " to " + std::to_string(type.most);
}

// Why `text` is no value of the option; nothing when it is one.
std::optional<std::string> wrong_value(const OptionSpec& option, const std::string& text) {
  const std::string name(option.name);
  switch (option.type.kind) {
    case ValueType::Kind::kText:
      return std::nullopt;
    case ValueType::Kind::kPath:
      if (!text.empty()) return std::nullopt;
      return name + " takes " + std::string(option.value) + ", not an empty word";
    case ValueType::Kind::kWord:
      if (is_word_of(text, option.value)) return std::nullopt;
      return name + " takes " + listed(option.value) + ", not '" + text + "'";
    case ValueType::Kind::kWhole: {
      const auto n = whole_number_of(text);
      if (n && *n >= option.type.least && *n <= option.type.most) return std::nullopt;
      return name + " takes a whole number" + range_of(option.type) + ", not '" + text + "'";
    }
  }
  return std::nullopt;
}

}  // namespace

std::string did_you_mean(std::string_view word, std::span<const std::string_view> names) {
  const auto meant = nearest(word, names);
  return meant ? "; did you mean " + std::string(*meant) + "?" : "";
}

Result<Arguments> parse_arguments(std::span<const std::string> words,
                                  std::span<const OptionSpec> options) {
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
        return usage_failure(name + " needs a value");
      }
      const std::string value = eq != std::string::npos ? word.substr(eq + 1) : words[++i];
      if (const auto wrong = wrong_value(*option, value)) return usage_failure(*wrong);
      args.values[name] = value;
    } else if (option && eq == std::string::npos) {
      args.flags.insert(name);
    } else {
      std::vector<std::string_view> names;
      for (const OptionSpec& known : options) names.push_back(known.name);
      return usage_failure("unknown option " + word + did_you_mean(name, names));
    }
  }
  return args;
}

std::optional<Failure> positionals_problem(std::string_view command,
                                           std::span<const Positionals> positionals,
                                           const Arguments& args) {
  const auto holds = [&args](const Positionals& p) {
    return p.flag.empty() || args.flag(std::string(p.flag));
  };
  const auto rule = std::ranges::find_if(positionals, holds);
  if (rule == positionals.end() || std::ranges::count(rule->counts, args.positionals.size()) > 0)
    return std::nullopt;
  std::string who = command.empty() ? "tracciato" : std::string(command);
  if (!rule->flag.empty()) who += " " + std::string(rule->flag);
  return usage_failure(who + " takes " + std::string(rule->what));
}

}  // namespace tracciato
