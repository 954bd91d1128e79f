# Writes a C++ source that carries one scenario folder as data.
# Run as: cmake -DSCENARIO_DIR=... -DOUTPUT=... -P embed_scenario.cmake
include(${SCENARIO_DIR}/scenario.cmake)

function(embed_text variable file)
  file(READ ${SCENARIO_DIR}/${file} hex HEX)
  string(REGEX REPLACE "(..)" "\\\\x\\1" escaped "${hex}")
  set(${variable} "\"${escaped}\"" PARENT_SCOPE)
endfunction()

embed_text(line linea.txt)
embed_text(train treno.txt)
embed_text(notes note.txt)
embed_text(order rallentamenti.txt)
embed_text(card scheda_treno.txt)

file(WRITE ${OUTPUT}.tmp "// Generated from ${SCENARIO_DIR}: edit the data there, not this file.
#include \"model/embedded_scenario.h\"

namespace tracciato {

const EmbeddedScenario& embedded_scenario() {
  static const EmbeddedScenario scenario{
      \"${SCENARIO_BASE_NAME}\", \"${SCENARIO_TRAIN_NUMBER}\",
      ${line},
      ${train},
      ${notes},
      ${order},
      ${card}};
  return scenario;
}

}  // namespace tracciato
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
