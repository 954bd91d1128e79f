#include "textio/text_writer.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>

#include "base/cp1252.h"
#include "base/file_error.h"

namespace tracciato {

std::vector<std::string_view> text_slots(std::string_view utf8) {
  std::vector<std::string_view> slots;
  while (!utf8.empty()) {
    const std::size_t end = utf8.find('\n');
    slots.push_back(utf8.substr(0, end));
    utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
  }
  if (slots.size() >= kTextSlots) {
    throw std::length_error("an embedded text has " + std::to_string(slots.size()) +
                            " lines; its slots hold 1000");
  }
  slots.push_back(kEndSentinel);
  return slots;
}

namespace {

// An earlier file of the name goes first, so that nothing is ever appended to it. Only a
// file is replaced: whatever else stands there (an empty directory would go with it) stays.
void remove_earlier(const std::filesystem::path& file) {
  std::error_code status_error;
  const auto status = std::filesystem::symlink_status(file, status_error);
  if (std::filesystem::is_directory(status)) throw FileError(file, "a directory stands there");
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
      !std::filesystem::is_symlink(status)) {
    throw FileError(file, "it is not a regular file");
  }
  { std::ofstream touch(file, std::ios::binary | std::ios::app); }
  std::error_code ec;
  std::filesystem::remove(file, ec);
  if (ec) throw FileError(file, "cannot delete it: " + ec.message());
}

}  // namespace

std::string embedded_text_bytes(std::string_view utf8) {
  std::string bytes;
  for (const std::string_view slot : text_slots(utf8)) {
    if (slot == kEndSentinel) break;
    bytes += utf8_to_cp1252(slot);
    bytes += "\r\n";
  }
  return bytes;
}

void write_embedded_text(const std::filesystem::path& file, std::string_view utf8) {
  const std::string bytes = embedded_text_bytes(utf8);
  remove_earlier(file);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) throw FileError(file, std::string("cannot create it: ") + std::strerror(errno));
  out << bytes;
  out.close();
  if (!out) throw FileError(file, "cannot write it");
}

}  // namespace tracciato
