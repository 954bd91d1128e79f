#include "documents/scenario_texts.h"

#include "compile/line/line_description_writer.h"
#include "compile/train/train_description_writer.h"
#include "documents/driver_documents.h"
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
  const ScenarioNames names{std::string(scenario.base_name), std::string(scenario.train_number)};
  const auto wrote = [&](std::string name) {
    if (written != nullptr) written->push_back(std::move(name));
  };
  dati_linea(dir, names.base_name, scenario.line);
  wrote(line_description_name(names.base_name));
  dati_treno(dir, names.base_name, names.train_number, scenario.train);
  wrote(train_description_name(names.base_name, names.train_number));
  dati_note(dir, names, scenario.notes);
  wrote(notes_name(names));
  dati_rallentamenti(dir, names, scenario.slowdown_order);
  wrote(slowdown_order_name(names));
  dati_scheda(dir, names, scenario.timetable_card);
  wrote(timetable_card_name(names));
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
