#pragma once

#include <filesystem>
#include <functional>
#include <ostream>

#include "cli/failure.h"

namespace tracciato {

// Writes the page that `make` streams into `file`, whole or not at all: under a temporary
// name beside it, renamed over the earlier page only once complete, so a failure or a
// kill leaves the earlier page as it was, and a link at the name is replaced rather than
// followed. The page keeps the earlier one's permissions; a read-only page stays unless
// `replace_read_only`. Returns the page's file, or the failure "cannot write FILE: " and
// why, in the system's words.
Result<std::filesystem::path> write_page_file(const std::filesystem::path& file,
                                              bool replace_read_only,
                                              const std::function<void(std::ostream&)>& make);

}  // namespace tracciato
