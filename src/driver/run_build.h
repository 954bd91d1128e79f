#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "driver/build.h"
#include "driver/reporter.h"

namespace tracciato {

enum class BuildStatus { kOk = 0, kCompileError = 1, kOutputError = 3 };

struct WrittenFile {
  std::string name;
  std::size_t bytes = 0;
};

struct BuildResult {
  BuildStatus status = BuildStatus::kOk;
  std::vector<WrittenFile> written;
};

// The whole build of two descriptions into `out_dir`: compile, report a recorded code,
// or write the compiled files.
BuildResult run_build(const BuildRequest& request, const std::filesystem::path& out_dir,
                      Reporter& reporter);

}  // namespace tracciato
