#include "testing/descriptions.h"

#include "compile/description.h"
#include "compile/pipeline.h"

namespace tracciato::test_support {

std::string crlf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

std::string line_description_with(const std::vector<std::string>& general_rows,
                                  const std::vector<std::string>& object_rows) {
  std::vector<std::string> lines = {"[generale]"};
  lines.insert(lines.end(), general_rows.begin(), general_rows.end());
  lines.emplace_back("[curve]");
  lines.insert(lines.end(), object_rows.begin(), object_rows.end());
  lines.emplace_back("[fine]");
  return crlf(lines);
}

std::string line_description(const std::vector<std::string>& object_rows, int route_length) {
  return line_description_with({"lunghezza percorso,    " + std::to_string(route_length),
                                "ripetizione segnali 4 codici,    0    ,0"},
                               object_rows);
}

std::string train_description(const std::vector<std::string>& rows) {
  std::vector<std::string> lines = {"[generale]"};
  lines.insert(lines.end(), rows.begin(), rows.end());
  lines.emplace_back("[fine]");
  return crlf(lines);
}

Scenario compile(const std::string& line, const std::string& train, int j,
                 const std::string& base_name, const std::string& train_number) {
  MemoryDescription l("linea.txt", line);
  MemoryDescription t("treno.txt", train);
  return memorizza_percorso({l, t, {base_name, train_number}, j});
}

}  // namespace tracciato::test_support
