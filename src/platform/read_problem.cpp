#include "platform/read_problem.h"

#include "platform/input_file.h"

namespace tracciato {

std::optional<std::string> read_problem(const std::filesystem::path& file) {
  std::string why;
  if (InputFile::open(file, why)) return std::nullopt;
  return why;
}

}  // namespace tracciato
