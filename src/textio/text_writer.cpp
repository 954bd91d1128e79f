#include "textio/text_writer.h"

#include <cstdint>
#include <stdexcept>
#include <string>

#include "base/cp1252.h"
#include "platform/replacing_file.h"

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

std::string embedded_text_bytes(std::string_view utf8) {
  std::string bytes;
  for (const std::string_view slot : text_slots(utf8)) {
    if (slot == kEndSentinel) break;
    bytes += utf8_to_cp1252(slot);
    bytes += "\r\n";
  }
  return bytes;
}

// Written whole under a temporary name and renamed over the earlier file, so nothing is
// ever appended to it, and a directory standing there stays.
void write_embedded_text(const std::filesystem::path& file, std::string_view utf8) {
  const std::string bytes = embedded_text_bytes(utf8);
  ReplacingFile out(file);
  out.write({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  out.commit();
}

}  // namespace tracciato
