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
// "<stdin>" in diagnostics. Nothing, with `problem` set, when standard input cannot be
// read.
std::unique_ptr<Description> description_argument(const std::string& word, std::string& problem) {
  if (word != kStandardInput) return std::make_unique<FileDescription>(utf8_path(word), false);
  auto text = read_standard_input();
  if (!text) {
    problem = "cannot read standard input";
    return nullptr;
  }
  return std::make_unique<MemoryDescription>("<stdin>", std::move(*text));
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
    if (const auto swapped = swapped_descriptions(command, words)) return usage_failure(*swapped);
    return words;
  }
  std::string problem;
  const auto pair = complete_pair(words.front(), problem);
  if (!pair) return usage_failure(problem);
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
  DescriptionInputs inputs{nullptr, nullptr, *names, std::move(*words)};
  inputs.line = description_argument(inputs.words[0], problem);
  if (inputs.line) inputs.train = description_argument(inputs.words[1], problem);
  if (!inputs.train) return file_failure(problem);
  return inputs;
}

}  // namespace tracciato
