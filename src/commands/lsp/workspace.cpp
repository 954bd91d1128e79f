#include "commands/lsp/workspace.h"

#include "base/utf8_path.h"
#include "model/description_files.h"

namespace tracciato::lsp {

const std::vector<TextRow>& OpenDocument::rows(bool train) const {
  if (rows_read != edited) {
    kept_rows = read_rows(text.text(), train);
    rows_read = edited;
  }
  return kept_rows;
}

namespace {

// A train of `base` by its file name alone.
bool train_of(const std::string& path, const std::string& base) {
  const auto d = description_name(path);
  return d && d->kind == DescriptionKind::kTrain && d->names.base_name == base;
}

}  // namespace

OpenDocument& Workspace::open(const std::string& path, const std::string& uri, std::string text) {
  OpenDocument& d =
      documents_
          .insert_or_assign(path,
                            OpenDocument{uri, TextDocument(std::move(text)), 0, {}, std::nullopt})
          .first->second;
  touch(d);
  return d;
}

OpenDocument* Workspace::find(const std::string& path) {
  const auto it = documents_.find(path);
  return it == documents_.end() ? nullptr : &it->second;
}

std::optional<std::string> Workspace::partner_train(const std::string& line_path,
                                                    const std::string& base) const {
  const std::string folder = folder_of(line_path);
  const OpenDocument* latest = nullptr;
  std::string latest_path;
  for (const auto& [path, d] : documents_) {
    if (folder_of(path) != folder || !train_of(path, base)) continue;
    if (latest == nullptr || d.edited > latest->edited) {
      latest = &d;
      latest_path = path;
    }
  }
  if (latest != nullptr) return latest_path;
  const std::vector<std::string> on_disk = trains_beside(line_path, base);
  if (on_disk.empty()) return std::nullopt;
  return on_disk.front();
}

std::optional<DescriptionPair> Workspace::pair_of(const std::string& path) const {
  const auto d = description_name(path);
  if (!d) return std::nullopt;
  if (d->kind == DescriptionKind::kTrain) {
    return DescriptionPair{line_beside(path, d->names.base_name), path, d->names};
  }
  const auto train = partner_train(path, d->names.base_name);
  if (!train) {
    // No train beside it: the line is checked with an empty train, whose own findings
    // are not shown.
    return DescriptionPair{path, "", {d->names.base_name, "1"}};
  }
  return DescriptionPair{path, *train, description_name(*train)->names};
}

std::unique_ptr<Description> Workspace::description(const std::string& path) const {
  const auto it = documents_.find(path);
  if (it != documents_.end())
    return std::make_unique<MemoryDescription>(path, it->second.text.stored_text());
  return std::make_unique<FileDescription>(utf8_path(path), false);
}

}  // namespace tracciato::lsp
