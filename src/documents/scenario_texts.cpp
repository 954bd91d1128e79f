#include "documents/scenario_texts.h"

#include "compile/line/line_description_writer.h"
#include "compile/train/train_description_writer.h"
#include "documents/driver_documents.h"

namespace tracciato {

void write_scenario_texts(const EmbeddedScenario& scenario, const std::filesystem::path& dir) {
  const ScenarioNames names{std::string(scenario.base_name), std::string(scenario.train_number)};
  dati_linea(dir, names.base_name, scenario.line);
  dati_treno(dir, names.base_name, names.train_number, scenario.train);
  dati_note(dir, names, scenario.notes);
  dati_rallentamenti(dir, names, scenario.slowdown_order);
  dati_scheda(dir, names, scenario.timetable_card);
}

}  // namespace tracciato
