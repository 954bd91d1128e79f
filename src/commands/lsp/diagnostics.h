#pragma once

#include <cstddef>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "cli/findings.h"

namespace tracciato::lsp {

// How the editor knows a file: its URI, and its lines (UTF-8) when it has the file open.
class EditorView {
 public:
  virtual ~EditorView() = default;
  virtual std::string uri(const std::string& path) const = 0;
  // Line `line` from 1, valid until the file changes.
  virtual std::optional<std::string_view> line(const std::string& path, int line) const = 0;
};

// A file's diagnostics are published whole at every edit: past this many, the rest are
// counted in one more diagnostic, so that a file with findings on every row stays quick.
inline constexpr std::size_t kMostDiagnosticsPerFile = 1000;

// The protocol's diagnostics of each file that has findings, by path. Columns are mapped
// from the stored bytes to the editor's UTF-16 units through the editor's own line, or
// through the line the finding quotes where the file is not open.
std::map<std::string, nlohmann::json> diagnostics_by_path(const FindingList& findings,
                                                          const EditorView& editor);

}  // namespace tracciato::lsp
