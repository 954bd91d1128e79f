#include "documents/scenario_texts.h"

#include "base/utf8_path.h"
#include "model/file_names.h"
#include "platform/mapped_file.h"
#include "platform/read_problem.h"
#include "textio/text_writer.h"

namespace tracciato {

std::vector<ScenarioText> scenario_texts(const EmbeddedScenario& scenario) {
  const ScenarioNames n{std::string(scenario.base_name), std::string(scenario.train_number)};
  return {{line_description_name(n.base_name), scenario.line},
          {train_description_name(n.base_name, n.train_number), scenario.train},
          {notes_name(n), scenario.notes},
          {slowdown_order_name(n), scenario.slowdown_order},
          {timetable_card_name(n), scenario.timetable_card}};
}

void write_scenario_texts(const EmbeddedScenario& scenario, const std::filesystem::path& dir,
                          std::vector<std::string>* written) {
  for (const ScenarioText& text : scenario_texts(scenario)) {
    write_embedded_text(dir / utf8_path(text.name), text.utf8);
    if (written != nullptr) written->push_back(text.name);
  }
}

EarlierFile earlier_file(const std::filesystem::path& file, std::string_view utf8) {
  std::error_code ec;
  const auto status = std::filesystem::status(file, ec);
  if (!std::filesystem::is_regular_file(status)) return {};
  const auto mapped = MappedFile::open(file);
  if (!mapped) {
    const auto why = read_problem(file);
    return {EarlierFile::kOther, "cannot be read" + (why ? ": " + *why : "")};
  }
  if (mapped->bytes() == embedded_text_bytes(utf8)) return {EarlierFile::kSame, ""};
  return {EarlierFile::kOther, "differs from the embedded scenario's text"};
}

}  // namespace tracciato
