#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tracciato {

// An embedded text is held as slots of literal lines, 1001 at most; the slot after the
// last line holds the end sentinel, which is never written.
inline constexpr std::string_view kEndSentinel = "riferimento fine del file";
inline constexpr std::size_t kTextSlots = 1001;

// The slots of a UTF-8 text, one line per LF, ending with the sentinel. Throws
// std::length_error when the lines do not fit.
std::vector<std::string_view> text_slots(std::string_view utf8);

// The bytes written for a text: the slots up to the sentinel, each line in Windows-1252
// followed by CR LF.
std::string embedded_text_bytes(std::string_view utf8);

// Replaces `file` with the slots up to the sentinel, each line in Windows-1252 followed
// by CR LF. Throws FileError.
void write_embedded_text(const std::filesystem::path& file, std::string_view utf8);

}  // namespace tracciato
