#include "model/description_files.h"

#include <algorithm>

#include "base/edit_distance.h"
#include "base/utf8_path.h"
#include "model/file_names.h"
#include "platform/folder.h"

namespace tracciato {

namespace {

std::vector<FolderEntry> entries_beside(std::string_view path) {
  const std::string folder = folder_of(path);
  return list_folder(folder.empty() ? std::filesystem::path(".") : utf8_path(folder));
}

bool same_kind(const std::string& name, const std::optional<DescriptionName>& wanted) {
  const auto d = description_name(name);
  return d && wanted && d->kind == wanted->kind;
}

}  // namespace

std::string folder_of(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? std::string()
                                             : std::string(path.substr(0, separator + 1));
}

std::string sibling(std::string_view path, std::string_view name) {
  return folder_of(path) + std::string(name);
}

std::string line_beside(std::string_view train_path, const std::string& base_name) {
  return sibling(train_path, line_description_name(base_name));
}

std::vector<std::string> trains_beside(std::string_view line_path, const std::string& base_name) {
  std::vector<FolderEntry> trains;
  for (FolderEntry& e : entries_beside(line_path)) {
    const auto d = description_name(e.name);
    if (e.regular_file && d && d->kind == DescriptionKind::kTrain &&
        d->names.base_name == base_name) {
      trains.push_back(std::move(e));
    }
  }
  // Listed by name, so a stable sort leaves ties by name.
  std::ranges::stable_sort(trains, std::ranges::greater{}, &FolderEntry::modified);
  std::vector<std::string> paths;
  paths.reserve(trains.size());
  for (const FolderEntry& e : trains) paths.push_back(sibling(line_path, e.name));
  return paths;
}

std::optional<std::string> nearest_name_beside(const std::filesystem::path& missing) {
  const std::string name = shown_path(missing.filename());
  const auto wanted = description_name(name);
  const std::vector<FolderEntry> entries =
      list_folder(missing.has_parent_path() ? missing.parent_path() : std::filesystem::path("."));
  std::vector<std::string_view> kin;
  std::vector<std::string_view> others;
  for (const FolderEntry& e : entries) {
    if (!e.regular_file || e.name == name || compiled_kind_from_name(utf8_path(e.name))) continue;
    (same_kind(e.name, wanted) ? kin : others).push_back(e.name);
  }
  if (const auto near = nearest(name, kin)) return std::string(*near);
  if (const auto near = nearest(name, others)) return std::string(*near);
  return std::nullopt;
}

}  // namespace tracciato
