#include "driver/run_build.h"

#include "base/unexpected_failure.h"
#include "driver/output_files.h"
#include "driver/temporary_files.h"

namespace tracciato {

BuildResult run_build(const BuildRequest& request, const std::filesystem::path& out_dir,
                      Reporter& reporter) {
  Scenario scenario = memorizza_percorso(request);
  EncodedBuild encoded;
  if (!scenario.errors.failed()) {
    try {
      encoded = encode_build(scenario, request.base_name, request.train_number);
    } catch (const UnexpectedFailure& failure) {
      scenario.errors.record(25, failure.what());
    }
  }
  if (scenario.errors.failed()) {
    reporter.compile_error(scenario.errors);
    return {ExitStatus::kError, {}};
  }
  try {
    remove_stale_temporaries(out_dir);
    write_all_or_nothing(out_dir, encoded.files);
  } catch (const FileError& error) {
    reporter.failure("cannot write " + std::string(error.what()));
    return {ExitStatus::kFileProblem, {}};
  }
  BuildResult result;
  for (const CompiledFile& f : encoded.files) {
    std::size_t bytes = 0;
    for (const auto& part : f.parts) bytes += part.size();
    result.written.push_back({f.name, bytes});
  }
  return result;
}

}  // namespace tracciato
