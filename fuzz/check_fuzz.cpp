// The checker and its findings as text and as JSON, from two descriptions held in memory.
// The input is one byte (bit 0: the geometry flag; bit 1: JSON of every finding rather
// than the first errors), then the line description and the train description separated
// by the first NUL byte. The JSON must always parse, whatever bytes the descriptions hold.
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "cli/findings.h"
#include "cli/findings_output.h"
#include "compile/pipeline.h"
#include "fuzz_pair.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int j = data[0] & 1;
  tracciato::fuzz::FuzzPair pair(data, size);
  const tracciato::BuildRequest request{pair.line, pair.train, {"Fuzz", "1"}, j};
  const tracciato::FindingList list = tracciato::check_descriptions(request);
  std::ostringstream text;
  tracciato::write_findings_text(text, list, tracciato::TextLimits{});
  std::ostringstream json;
  const std::optional<int> max_errors = (data[0] & 2) != 0 ? std::nullopt : std::optional(3);
  tracciato::write_findings_json(json, list, max_errors);
  if (!nlohmann::json::accept(json.str())) std::abort();
  return 0;
}
