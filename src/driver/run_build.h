#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "driver/build.h"
#include "driver/exit_status.h"
#include "driver/reporter.h"

namespace tracciato {

struct WrittenFile {
  std::string name;
  std::size_t bytes = 0;
};

struct BuildResult {
  ExitStatus status = ExitStatus::kOk;
  std::vector<WrittenFile> written;
};

// The whole build of two descriptions into `out_dir`: compile, report a recorded code,
// or write the compiled files.
BuildResult run_build(const BuildRequest& request, const std::filesystem::path& out_dir,
                      Reporter& reporter);

}  // namespace tracciato
