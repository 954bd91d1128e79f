#include "compile/output_files.h"

#include <chrono>
#include <exception>
#include <system_error>
#include <thread>

#include "model/file_names.h"
#include "platform/folder_lock.h"
#include "platform/output_file.h"
#include "platform/replacing_file.h"
#include "platform/temporary_files.h"

namespace tracciato {

namespace {

// How long a run waits for another that writes compiled files into the same folder.
constexpr std::chrono::seconds kLockPatience(5);

// Syncs the files at once: the disk then serves their cache flushes together instead of
// one after another. A failure names the first failing file in writing order.
void sync_all(std::vector<ReplacingFile>& files) {
  std::vector<std::exception_ptr> failures(files.size());
  const auto sync = [&](std::size_t i) {
    try {
      files[i].finish();
    } catch (...) {
      failures[i] = std::current_exception();
    }
  };
  {
    std::vector<std::jthread> helpers;
    for (std::size_t i = 1; i < files.size(); ++i) {
      try {
        helpers.emplace_back(sync, i);
      } catch (const std::system_error&) {
        sync(i);  // no thread to spare
      }
    }
    if (!files.empty()) sync(0);
  }
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
}

// The earlier files of the set, each kept aside under a temporary name until the whole
// set is in place.
struct KeptAside {
  std::filesystem::path aside;
  bool kept = false;
};

bool keepable(const StandingFile& earlier) {
  return earlier.kind == StandingFile::Kind::kFile || earlier.kind == StandingFile::Kind::kLink;
}

// Puts the earlier files of the first `count` files back, so that the three files always
// come from one build.
void restore_earlier(const std::vector<ReplacingFile>& files, const std::vector<KeptAside>& kept,
                     std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    try {
      if (kept[i].kept) {
        replace_file(kept[i].aside, files[i].target());
      } else {
        remove_file(files[i].target());
      }
    } catch (const FileError&) {  // the first failure is the one to report
    }
  }
}

void move_into_place(std::vector<ReplacingFile>& files, std::vector<KeptAside>& kept) {
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!keepable(files[i].earlier())) continue;
    keep_aside(files[i].target(), kept[i].aside);
    kept[i].kept = true;
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    try {
      files[i].place();
    } catch (const FileError&) {
      restore_earlier(files, kept, i);
      throw;
    }
  }
}

void remove_kept(const std::vector<KeptAside>& kept) {
  for (const KeptAside& k : kept) {
    if (k.kept) remove_file(k.aside);
  }
}

std::vector<std::string> names_of(const std::vector<CompiledFile>& files) {
  std::vector<std::string> names;
  names.reserve(files.size());
  for (const CompiledFile& f : files) names.push_back(f.name);
  return names;
}

void write_set(const std::filesystem::path& dir, const std::vector<CompiledFile>& files,
               bool replace_read_only) {
  if (!replace_read_only) {
    if (const auto refused = read_only_outputs(dir, names_of(files))) {
      throw FileError(dir / utf8_path(refused->front()), "it is read-only; --force replaces it");
    }
  }
  std::vector<ReplacingFile> written;
  std::vector<KeptAside> kept;
  for (const CompiledFile& f : files) {
    written.emplace_back(dir / utf8_path(f.name));
    kept.push_back({temporary_name(dir, "earlier-" + f.name)});
    for (const auto part : f.parts) written.back().write(part);
  }
  sync_all(written);
  try {
    move_into_place(written, kept);
  } catch (...) {
    remove_kept(kept);
    throw;
  }
  remove_kept(kept);
}

}  // namespace

std::optional<std::vector<std::string>> read_only_outputs(const std::filesystem::path& dir,
                                                          const std::vector<std::string>& names) {
  std::vector<std::string> read_only;
  for (const std::string& name : names) {
    if (standing_file(dir / utf8_path(name)).read_only) read_only.push_back(name);
  }
  if (read_only.empty()) return std::nullopt;
  return read_only;
}

EncodedBuild encode_build(const Scenario& s, const std::string& base_name,
                          const std::string& train_number) {
  EncodedBuild out{{base_name, train_number}, {}, encode_header(s.header), encode_cells(s.cells)};
  if (s.geometry) {
    const auto parts = s.geometry->file_parts();
    out.geometry = {parts[0], parts[1]};
  }
  return out;
}

std::vector<CompiledFile> compiled_files(const EncodedBuild& build) {
  const ScenarioNames& n = build.names;
  std::vector<CompiledFile> files;
  if (!build.geometry.empty()) files.push_back({geometry_file_name(n.base_name), build.geometry});
  files.push_back({header_file_name(n.base_name, n.train_number), {build.header}});
  files.push_back({cell_file_name(n.base_name, n.train_number), {build.cells}});
  return files;
}

void write_all_or_nothing(const std::filesystem::path& dir, const std::vector<CompiledFile>& files,
                          bool replace_read_only) {
  const FolderLock lock(dir, kLockPatience);
  remove_stale_temporaries(dir);
  write_set(dir, files, replace_read_only);
}

}  // namespace tracciato
