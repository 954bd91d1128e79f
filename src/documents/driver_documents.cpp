#include "documents/driver_documents.h"

#include "base/utf8_path.h"
#include "textio/text_writer.h"

namespace tracciato {

void dati_note(const std::filesystem::path& dir, const ScenarioNames& n, std::string_view text) {
  write_embedded_text(dir / utf8_path(notes_name(n)), text);
}

void dati_rallentamenti(const std::filesystem::path& dir, const ScenarioNames& n,
                        std::string_view text) {
  write_embedded_text(dir / utf8_path(slowdown_order_name(n)), text);
}

void dati_scheda(const std::filesystem::path& dir, const ScenarioNames& n, std::string_view text) {
  write_embedded_text(dir / utf8_path(timetable_card_name(n)), text);
}

}  // namespace tracciato
