#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "compile/decompile/decompile.h"

namespace tracciato {

// A description decompile would write, and what stands at its name already.
struct DecompiledFile {
  std::filesystem::path file;
  std::string name;
  const std::string* bytes = nullptr;
  enum Earlier { kNone, kSame, kOther } earlier = kNone;
  std::string why;  // for kOther
};
using DecompiledFiles = std::vector<DecompiledFile>;

// NAME_linea.txt and NAME_NUMBER-.txt in `dir`; `d` must outlive the plan.
DecompiledFiles plan_decompiled_files(const Decompiled& d, const std::filesystem::path& dir);

// An author's edits are never lost: a file that differs stays. Tells each and gives
// whether there was one.
bool refuse_to_replace(const DecompiledFiles& files);

// Writes those that differ from what stands, all or nothing. Throws FileError.
std::vector<std::string> write_decompiled_files(const DecompiledFiles& files,
                                                const std::filesystem::path& dir,
                                                bool replace_read_only);

// "wrote A, B in DIR/", with those already up to date named after it.
void tell_decompiled(const Arguments& args, const DecompiledFiles& files,
                     const std::vector<std::string>& written, const std::filesystem::path& dir);

}  // namespace tracciato
