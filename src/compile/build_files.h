#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "compile/pipeline.h"

namespace tracciato {

struct WrittenFile {
  std::string name;
  std::size_t bytes = 0;
};

// How a build ended: a compile error, a file that could not be written, or the files
// written.
struct BuildOutcome {
  ErrorState errors;
  std::optional<std::string> write_failure;  // "cannot write FILE: reason"
  std::vector<WrittenFile> written;
};

// The whole build of two descriptions into `out_dir`: compile, then write the compiled
// files all or nothing. A `warnings` observer, which must not be checking, hears the
// compile's warnings and changes nothing of it. A read-only compiled file there stops the
// write unless `replace_read_only`.
BuildOutcome build_files(const BuildRequest& request, const std::filesystem::path& out_dir,
                         CheckObserver* warnings = nullptr, bool replace_read_only = false);

}  // namespace tracciato
