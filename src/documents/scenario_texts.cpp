#include "documents/scenario_texts.h"

#include "compile/line/line_description_writer.h"
#include "compile/train/train_description_writer.h"
#include "documents/driver_documents.h"
#include "model/file_names.h"

namespace tracciato {

std::vector<ScenarioText> scenario_texts(const EmbeddedScenario& scenario) {
  const ScenarioNames n{std::string(scenario.base_name), std::string(scenario.train_number)};
  return {{line_description_name(n.base_name), scenario.line},
          {train_description_name(n.base_name, n.train_number), scenario.train},
          {notes_name(n), scenario.notes},
          {slowdown_order_name(n), scenario.slowdown_order},
          {timetable_card_name(n), scenario.timetable_card}};
}

void write_scenario_texts(const EmbeddedScenario& scenario, const std::filesystem::path& dir) {
  const ScenarioNames names{std::string(scenario.base_name), std::string(scenario.train_number)};
  dati_linea(dir, names.base_name, scenario.line);
  dati_treno(dir, names.base_name, names.train_number, scenario.train);
  dati_note(dir, names, scenario.notes);
  dati_rallentamenti(dir, names, scenario.slowdown_order);
  dati_scheda(dir, names, scenario.timetable_card);
}

}  // namespace tracciato
