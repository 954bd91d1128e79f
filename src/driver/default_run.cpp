#include "driver/default_run.h"

#include "base/file_error.h"
#include "base/utf8_path.h"
#include "compile/line/line_description_writer.h"
#include "compile/train/train_description_writer.h"
#include "documents/driver_documents.h"
#include "driver/run_build.h"

namespace tracciato {

void write_sources(const EmbeddedScenario& scenario, const std::filesystem::path& dir) {
  const DocumentNames names{std::string(scenario.base_name), std::string(scenario.train_number)};
  dati_linea(dir, names.base_name, scenario.line);
  dati_treno(dir, names.base_name, names.train_number, scenario.train);
  dati_note(dir, names, scenario.notes);
  dati_rallentamenti(dir, names, scenario.slowdown_order);
  dati_scheda(dir, names, scenario.timetable_card);
}

int default_run(const EmbeddedScenario& scenario, const std::filesystem::path& dir, Face& face) {
  face.show_waiting();
  const std::string base_name(scenario.base_name);
  const std::string train_number(scenario.train_number);
  try {
    write_sources(scenario, dir);
  } catch (const FileError& error) {
    face.failure("cannot write " + std::string(error.what()));
    return exit_code(ExitStatus::kFileProblem);
  }
  const std::string line_name = line_description_name(base_name);
  const std::string train_name = train_description_name(base_name, train_number);
  FileDescription line(dir / utf8_path(line_name), true, line_name);
  FileDescription train(dir / utf8_path(train_name), true, train_name);
  const BuildRequest request{line, train, base_name, train_number, 1};
  return exit_code(run_build(request, dir, face).status);
}

}  // namespace tracciato
