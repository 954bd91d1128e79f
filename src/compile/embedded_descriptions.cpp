#include "compile/embedded_descriptions.h"

#include "model/file_names.h"
#include "textio/text_writer.h"

namespace tracciato {

EmbeddedDescriptions embedded_descriptions(const EmbeddedScenario& scenario) {
  const std::string base(scenario.base_name);
  const std::string number(scenario.train_number);
  return {
      MemoryDescription(line_description_name(base), embedded_text_bytes(scenario.line)),
      MemoryDescription(train_description_name(base, number), embedded_text_bytes(scenario.train)),
      {base, number}};
}

}  // namespace tracciato
