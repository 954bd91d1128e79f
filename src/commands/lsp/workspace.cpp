#include "commands/lsp/workspace.h"

#include <filesystem>
#include <system_error>

#include "base/utf8_path.h"

namespace tracciato::lsp {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kLineSuffix = "_linea.txt";
constexpr std::string_view kTrainSuffix = "-.txt";

// Paths stay in the form the editor's URI gave them: a partner is named by replacing the
// file name alone, so that it matches the partner's own URI when that is open too.
std::string folder_of(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string file_name(const std::string& path) {
  return path.substr(folder_of(path).size());
}

std::string sibling(const std::string& path, const std::string& name) {
  return folder_of(path) + name;
}

// A train of `base` by its file name alone.
bool train_of(const std::string& name, const std::string& base) {
  const auto d = description_name(name);
  return d && d->kind == DescriptionKind::kTrain && d->names.base_name == base;
}

}  // namespace

std::optional<DescriptionName> description_name(const std::string& path) {
  const std::string name = file_name(path);
  if (name.ends_with(kLineSuffix) && name.size() > kLineSuffix.size()) {
    return DescriptionName{DescriptionKind::kLine,
                           {name.substr(0, name.size() - kLineSuffix.size()), ""}};
  }
  if (!name.ends_with(kTrainSuffix)) return std::nullopt;
  const std::string stem = name.substr(0, name.size() - kTrainSuffix.size());
  const std::size_t underscore = stem.rfind('_');
  if (underscore == std::string::npos || underscore == 0 || underscore + 1 == stem.size())
    return std::nullopt;
  return DescriptionName{DescriptionKind::kTrain,
                         {stem.substr(0, underscore), stem.substr(underscore + 1)}};
}

OpenDocument& Workspace::open(const std::string& path, const std::string& uri, std::string text) {
  OpenDocument& d =
      documents_.insert_or_assign(path, OpenDocument{uri, TextDocument(std::move(text)), 0})
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
  std::error_code ec;
  std::optional<std::string> first;
  const fs::path listed = folder.empty() ? fs::path(".") : utf8_path(folder);
  for (fs::directory_iterator it(listed, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = shown_path(it->path().filename());
    if (train_of(name, base) && (!first || name < file_name(*first))) first = folder + name;
  }
  return first;
}

std::optional<DescriptionPair> Workspace::pair_of(const std::string& path) const {
  const auto d = description_name(path);
  if (!d) return std::nullopt;
  if (d->kind == DescriptionKind::kTrain) {
    return DescriptionPair{sibling(path, line_description_name(d->names.base_name)), path,
                           d->names};
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
