#include "platform/input_file.h"

namespace tracciato {

std::string InputFile::ended_early() const {
  return "the file ends here, though it held " + std::to_string(size_) +
         " bytes when it was opened: another program shortened it while it was read";
}

}  // namespace tracciato
