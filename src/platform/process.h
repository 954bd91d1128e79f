#pragma once

#include <filesystem>
#include <string>

namespace tracciato {

// The running program's own process id.
long current_process_id();

// Whether a process of that id still runs.
bool process_running(long id);

// The running program's command line, its words joined by spaces, in UTF-8.
std::string command_line();

// The running program's executable file.
std::filesystem::path executable_path();

}  // namespace tracciato
