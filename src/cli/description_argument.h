#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "cli/failure.h"
#include "compile/description.h"
#include "model/embedded_scenario.h"
#include "model/file_names.h"

namespace tracciato {

// The command-line word that stands for standard input.
inline constexpr const char* kStandardInput = "-";

// --base and --train, which every command that reads descriptions takes with LINE and TRAIN.
inline constexpr OptionSpec kBaseOption{"--base", "NAME",
                                        "the scenario's name, which names the compiled files"};
inline constexpr OptionSpec kTrainOption{"--train", "NUMBER",
                                         "the train's number, which names its two files"};

// The two descriptions a command reads and the names of the scenario they make.
struct DescriptionInputs {
  std::unique_ptr<Description> line;
  std::unique_ptr<Description> train;
  ScenarioNames names;
  // The words that named them, "-" for standard input; none for the embedded pair.
  std::vector<std::string> words;
};

// What every command that reads descriptions takes for them: no word for the embedded
// pair, one for the pair the naming rules complete from it (the choice among several
// trains told on standard error), or LINE and TRAIN, either of them "-" for standard
// input; NAME and NUMBER from --base and --train, or else from the file names. A usage
// failure for words that make no pair, a file failure when standard input cannot be read.
Result<DescriptionInputs> description_inputs(const Arguments& args, std::string_view command,
                                             const EmbeddedScenario& embedded);

}  // namespace tracciato
