#include "cli/written_files.h"

#include <iostream>

#include "base/utf8_path.h"

namespace tracciato {

std::string written_line(const std::vector<std::string>& names, const std::filesystem::path& dir,
                         bool failed) {
  if (names.empty()) return "nothing was written";
  std::string line = failed ? "wrote only " : "wrote ";
  for (std::size_t i = 0; i < names.size(); ++i) line += (i > 0 ? ", " : "") + names[i];
  if (!dir.empty() && dir != ".") line += " in " + shown_path(dir / "");
  return line;
}

void tell_written(const Arguments& args, const std::vector<std::string>& names,
                  const std::filesystem::path& dir, bool failed) {
  if (!args.flag("--quiet")) std::cerr << written_line(names, dir, failed) << '\n';
}

}  // namespace tracciato
