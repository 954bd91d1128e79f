#include "documents/driver_documents.h"

#include "base/utf8_path.h"
#include "textio/text_writer.h"

namespace tracciato {

std::string notes_name(const std::string& base_name, const std::string& train_number) {
  return base_name + "_" + train_number + "_note.txt";
}

std::string slowdown_order_name(const std::string& base_name, const std::string& train_number) {
  return base_name + "_" + train_number + "_rallentamenti.txt";
}

std::string timetable_card_name(const std::string& base_name, const std::string& train_number) {
  return base_name + "_" + train_number + "_scheda_treno.txt";
}

void dati_note(const std::filesystem::path& dir, const DocumentNames& n, std::string_view text) {
  write_embedded_text(dir / utf8_path(notes_name(n.base_name, n.train_number)), text);
}

void dati_rallentamenti(const std::filesystem::path& dir, const DocumentNames& n,
                        std::string_view text) {
  write_embedded_text(dir / utf8_path(slowdown_order_name(n.base_name, n.train_number)), text);
}

void dati_scheda(const std::filesystem::path& dir, const DocumentNames& n, std::string_view text) {
  write_embedded_text(dir / utf8_path(timetable_card_name(n.base_name, n.train_number)), text);
}

}  // namespace tracciato
