#include "cli/description_argument.h"

#include <algorithm>
#include <iostream>

#include "base/utf8_path.h"
#include "cli/description_pair.h"
#include "compile/embedded_descriptions.h"
#include "platform/standard_input.h"

namespace tracciato {

namespace {

// The description a word names: the file, or for "-" what standard input holds, named
// "<stdin>" in diagnostics. A file failure when standard input cannot be read.
Result<std::unique_ptr<Description>> description_argument(const std::string& word) {
  if (word != kStandardInput) return {std::make_unique<FileDescription>(utf8_path(word), false)};
  std::string why;
  auto text = read_standard_input(why);
  if (!text) return file_failure("cannot read standard input: " + why);
  return {std::make_unique<MemoryDescription>("<stdin>", std::move(*text))};
}

DescriptionInputs embedded_inputs(const EmbeddedScenario& scenario) {
  EmbeddedDescriptions d = embedded_descriptions(scenario);
  return {std::make_unique<MemoryDescription>(std::move(d.line)),
          std::make_unique<MemoryDescription>(std::move(d.train)),
          std::move(d.names),
          {}};
}

// LINE and TRAIN as given, or completed from the one given.
Result<std::vector<std::string>> pair_named(const std::vector<std::string>& words,
                                            std::string_view command) {
  if (words.size() != 1) {
    if (std::ranges::count(words, std::string(kStandardInput)) > 1) {
      return usage_failure("LINE and TRAIN cannot both be -: standard input holds one description");
    }
    return in_description_order(command, words);
  }
  const auto pair = complete_pair(words.front());
  if (!pair) return pair.failure();
  if (!pair->choice.empty()) std::cerr << "tracciato: " << pair->choice << '\n';
  return std::vector<std::string>{pair->line, pair->train};
}

}  // namespace

Result<DescriptionInputs> description_inputs(const Arguments& args, std::string_view command,
                                             const EmbeddedScenario& embedded) {
  const auto base = args.value("--base");
  const auto number = args.value("--train");
  if (args.positionals.empty()) {
    if (base || number) return usage_failure("--base and --train go with LINE and TRAIN");
    return embedded_inputs(embedded);
  }
  auto words = pair_named(args.positionals, command);
  if (!words) return words.failure();
  std::string problem;
  const auto names =
      resolve_names(utf8_path((*words)[0]), utf8_path((*words)[1]), base, number, problem);
  if (!names) return usage_failure(problem);
  auto line = description_argument((*words)[0]);
  if (!line) return line.failure();
  auto train = description_argument((*words)[1]);
  if (!train) return train.failure();
  return DescriptionInputs{std::move(*line), std::move(*train), *names, std::move(*words)};
}

}  // namespace tracciato
