#include "compile/line/line_description_writer.h"

#include "base/utf8_path.h"
#include "textio/text_writer.h"

namespace tracciato {

std::string line_description_name(const std::string& base_name) {
  return base_name + "_linea.txt";
}

void dati_linea(const std::filesystem::path& dir, const std::string& base_name,
                std::string_view text) {
  write_embedded_text(dir / utf8_path(line_description_name(base_name)), text);
}

}  // namespace tracciato
