#include "platform/folder_lock.h"

#include <cstdio>

#include "platform/process.h"

namespace tracciato {

namespace {

constexpr std::size_t kShownCommand = 200;

// A command line as a message may quote it: control bytes shown, not sent to the
// terminal, and a long one cut short.
std::string quotable(std::string_view command) {
  std::string shown;
  for (const char c : command.substr(0, kShownCommand)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      shown += escaped;
    } else {
      shown += c;
    }
  }
  if (command.size() > kShownCommand) shown += "...";
  return shown;
}

}  // namespace

std::string FolderLock::holder_record() {
  return std::to_string(current_process_id()) + "\n" + command_line() + "\n";
}

std::string FolderLock::still_held(std::string_view record, std::chrono::milliseconds patience) {
  const std::size_t end = record.find('\n');
  const std::string_view pid = record.substr(0, end);
  std::string command;
  if (end != std::string_view::npos) {
    command = std::string(record.substr(end + 1));
    while (!command.empty() && command.back() == '\n') command.pop_back();
  }
  const bool known = !pid.empty() && pid.find_first_not_of("0123456789") == std::string_view::npos;
  const std::string holder = known ? "process " + std::string(pid) +
                                         (command.empty() ? "" : " (" + quotable(command) + ")")
                                   : "another run";
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(patience).count();
  return holder + " is writing files there, and still was after " + std::to_string(seconds) +
         " s; try again when it has finished";
}

}  // namespace tracciato
