#include "compile/train/train_description_writer.h"

#include "base/utf8_path.h"
#include "model/file_names.h"
#include "textio/text_writer.h"

namespace tracciato {

void dati_treno(const std::filesystem::path& dir, const std::string& base_name,
                const std::string& train_number, std::string_view text) {
  write_embedded_text(dir / utf8_path(train_description_name(base_name, train_number)), text);
}

}  // namespace tracciato
