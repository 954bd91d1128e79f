#include "platform/temporary_files.h"

#include <charconv>
#include <cstdio>
#include <random>

#include "base/utf8_path.h"
#include "platform/output_file.h"
#include "platform/process.h"

namespace tracciato {

namespace {

constexpr std::string_view kPrefix = ".tracciato-";

// The process id in a name of the form ".tracciato-PID-...", or 0.
long writer_of(const std::string& file) {
  if (!file.starts_with(kPrefix)) return 0;
  const char* first = file.data() + kPrefix.size();
  const char* last = file.data() + file.size();
  long pid = 0;
  const auto [end, error] = std::from_chars(first, last, pid);
  if (error != std::errc() || end == first || end == last || *end != '-' || pid <= 0) return 0;
  return pid;
}

bool running(long pid) {
  return pid != current_process_id() && process_running(pid);
}

std::string random_part() {
  static std::random_device source;
  const std::uint64_t bits = (std::uint64_t{source()} << 32) ^ source();
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(bits));
  return text;
}

}  // namespace

std::filesystem::path temporary_name(const std::filesystem::path& dir, const std::string& name) {
  return dir / utf8_path(std::string(kPrefix) + std::to_string(current_process_id()) + "-" +
                         random_part() + "-" + name);
}

void remove_stale_temporaries(const std::filesystem::path& dir) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    const long pid = writer_of(shown_path(entry.path().filename()));
    if (pid == 0 || running(pid)) continue;
    const auto kind = standing_file(entry.path()).kind;
    if (kind == StandingFile::Kind::kFile || kind == StandingFile::Kind::kLink) {
      remove_file(entry.path());
    }
  }
}

}  // namespace tracciato
