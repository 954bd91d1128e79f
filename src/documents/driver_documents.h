#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tracciato {

// File names of the driver documents: NAME_NUMBER_note.txt and so on.
std::string notes_name(const std::string& base_name, const std::string& train_number);
std::string slowdown_order_name(const std::string& base_name, const std::string& train_number);
std::string timetable_card_name(const std::string& base_name, const std::string& train_number);

// Each writes one document into `dir`. Throw FileError.
struct DocumentNames {
  std::string base_name;
  std::string train_number;
};
void dati_note(const std::filesystem::path& dir, const DocumentNames& n, std::string_view text);
void dati_rallentamenti(const std::filesystem::path& dir, const DocumentNames& n,
                        std::string_view text);
void dati_scheda(const std::filesystem::path& dir, const DocumentNames& n, std::string_view text);

}  // namespace tracciato
