#pragma once

#include <filesystem>
#include <string>

namespace tracciato {

// The name a file is written under before it is renamed into place, in `dir`: the
// program's prefix, the writing process's id, a random part no one can foresee (so no
// one can plant a link there first) and the final name.
std::filesystem::path temporary_name(const std::filesystem::path& dir, const std::string& name);

// Removes from `dir` the temporary files that a killed or crashed run left behind: only
// names of the program's own form whose process no longer runs (or is this one).
void remove_stale_temporaries(const std::filesystem::path& dir);

}  // namespace tracciato
