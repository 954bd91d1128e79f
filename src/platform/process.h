#pragma once

#include <filesystem>

namespace tracciato {

// The running program's own process id.
long current_process_id();

// Whether a process of that id still runs.
bool process_running(long id);

// The running program's executable file.
std::filesystem::path executable_path();

}  // namespace tracciato
