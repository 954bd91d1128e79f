#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/embedded_scenario.h"

namespace tracciato {

// One text of the scenario: the name of its file and its UTF-8 text.
struct ScenarioText {
  std::string name;
  std::string_view utf8;
};

// The two descriptions and the three driver documents, in the order they are written.
std::vector<ScenarioText> scenario_texts(const EmbeddedScenario& scenario);

// Writes the scenario's two descriptions and three driver documents into `dir`: what
// the default run writes before it compiles. Throws FileError; `written`, when given,
// receives each file's name as it is written.
void write_scenario_texts(const EmbeddedScenario& scenario, const std::filesystem::path& dir,
                          std::vector<std::string>* written = nullptr);

// What stands where a text goes: nothing (or what no file can replace, a directory say,
// which the writer then refuses), the very bytes the text is written as, or a file that
// holds other bytes or cannot be read, such as an author's edit, which is kept unless the
// author asks for it to be replaced.
struct EarlierFile {
  enum Kind { kNone, kSame, kOther };
  Kind kind = kNone;
  std::string why;  // for kOther: "differs from the embedded scenario's text", or why it
                    // cannot be read
};
EarlierFile earlier_file(const std::filesystem::path& file, std::string_view utf8);

}  // namespace tracciato
