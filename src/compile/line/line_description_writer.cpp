#include "compile/line/line_description_writer.h"

#include "base/utf8_path.h"
#include "model/file_names.h"
#include "textio/text_writer.h"

namespace tracciato {

void dati_linea(const std::filesystem::path& dir, const std::string& base_name,
                std::string_view text) {
  write_embedded_text(dir / utf8_path(line_description_name(base_name)), text);
}

}  // namespace tracciato
