#include "compile/build_files.h"

#include "base/unexpected_failure.h"
#include "compile/output_files.h"
#include "model/error_codes.h"

namespace tracciato {

BuildOutcome build_files(const BuildRequest& request, const std::filesystem::path& out_dir,
                         CheckObserver* warnings, bool replace_read_only) {
  Scenario scenario = memorizza_percorso(request, warnings);
  EncodedBuild encoded;
  if (!scenario.errors.failed()) {
    try {
      encoded = encode_build(scenario, request.names.base_name, request.names.train_number);
    } catch (const UnexpectedFailure& failure) {
      scenario.errors.record(error_code::kUnexpectedFailure, failure.what());
    }
  }
  BuildOutcome outcome;
  if (scenario.errors.failed()) {
    outcome.errors = std::move(scenario.errors);
    return outcome;
  }
  try {
    write_all_or_nothing(out_dir, compiled_files(encoded), replace_read_only);
  } catch (const FileError& error) {
    outcome.write_failure = "cannot write " + std::string(error.what());
    return outcome;
  }
  for (const CompiledFile& f : compiled_files(encoded)) {
    std::size_t bytes = 0;
    for (const auto& part : f.parts) bytes += part.size();
    outcome.written.push_back({f.name, bytes});
  }
  return outcome;
}

}  // namespace tracciato
