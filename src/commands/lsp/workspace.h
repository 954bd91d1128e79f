#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "commands/lsp/description_rows.h"
#include "commands/lsp/text_document.h"
#include "compile/description.h"
#include "model/file_names.h"

namespace tracciato::lsp {

struct OpenDocument {
  std::string uri;
  TextDocument text;
  std::uint64_t edited = 0;  // when it was last opened or changed, in the server's count

  // The rows of the text, read once per change: every request on a long description
  // would read them again otherwise.
  const std::vector<TextRow>& rows(bool train) const;
  mutable std::vector<TextRow> kept_rows;
  mutable std::optional<std::uint64_t> rows_read;  // the `edited` count they were read at
};

// A line and a train description to check together, each from its open buffer or disk.
struct DescriptionPair {
  std::string line_path;
  std::string train_path;
  ScenarioNames names;
};

// The documents the editor has open, by path.
class Workspace {
 public:
  OpenDocument& open(const std::string& path, const std::string& uri, std::string text);
  void close(const std::string& path) { documents_.erase(path); }
  OpenDocument* find(const std::string& path);
  void touch(OpenDocument& d) { d.edited = ++clock_; }

  // The pair a description is checked in: a train with its line; a line with the train
  // edited last among the open ones, else the one changed last on disk. Nothing for a
  // file that is no description.
  std::optional<DescriptionPair> pair_of(const std::string& path) const;
  // The description as the checker reads it: the open buffer, else the file.
  std::unique_ptr<Description> description(const std::string& path) const;

 private:
  std::optional<std::string> partner_train(const std::string& line_path,
                                           const std::string& base) const;

  std::map<std::string, OpenDocument> documents_;
  std::uint64_t clock_ = 0;
};

}  // namespace tracciato::lsp
