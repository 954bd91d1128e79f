#include "compile/output_files.h"

#include <exception>
#include <system_error>
#include <thread>

#include "compile/temporary_files.h"
#include "model/file_names.h"
#include "platform/output_file.h"

namespace tracciato {

namespace {

// Syncs the files at once: the disk then serves their cache flushes together instead of
// one after another. A failure names the first failing file in writing order.
void sync_all(std::vector<OutputFile>& files) {
  std::vector<std::exception_ptr> failures(files.size());
  const auto sync = [&](std::size_t i) {
    try {
      files[i].sync_and_close();
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

// One compiled file on its way into place: the new bytes under a temporary name, and the
// earlier file of the set, kept aside until the whole set is in place.
struct Placement {
  std::filesystem::path target;
  std::filesystem::path temporary;
  std::filesystem::path earlier;
  bool had_earlier = false;
};

bool keep_earlier(const std::filesystem::path& target, const std::filesystem::path& aside) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(target, ec)) return false;
  keep_aside(target, aside);
  return true;
}

// Puts the earlier files of the first `count` placements back, so that the three files
// always come from one build.
void restore_earlier(const std::vector<Placement>& placed, std::size_t count) {
  std::error_code ec;
  for (std::size_t i = 0; i < count; ++i) {
    try {
      if (placed[i].had_earlier) {
        replace_file(placed[i].earlier, placed[i].target);
      } else {
        std::filesystem::remove(placed[i].target, ec);
      }
    } catch (const FileError&) {  // the first failure is the one to report
    }
  }
}

// The temporary names and the earlier files kept aside, once the set is done or failed.
void remove_leftovers(const std::vector<Placement>& placed) {
  std::error_code ec;
  for (const Placement& p : placed) {
    std::filesystem::remove(p.temporary, ec);
    std::filesystem::remove(p.earlier, ec);
  }
}

void move_into_place(std::vector<Placement>& placed) {
  for (Placement& p : placed) p.had_earlier = keep_earlier(p.target, p.earlier);
  for (std::size_t i = 0; i < placed.size(); ++i) {
    try {
      replace_file(placed[i].temporary, placed[i].target);
    } catch (const FileError&) {
      restore_earlier(placed, i);
      throw;
    }
  }
}

}  // namespace

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

void write_all_or_nothing(const std::filesystem::path& dir,
                          const std::vector<CompiledFile>& files) {
  std::vector<Placement> placed;
  placed.reserve(files.size());
  for (const CompiledFile& f : files) {
    placed.push_back({dir / utf8_path(f.name), temporary_name(dir, f.name),
                      temporary_name(dir, "earlier-" + f.name)});
  }
  try {
    std::vector<OutputFile> written;
    for (std::size_t i = 0; i < files.size(); ++i) {
      written.emplace_back(placed[i].temporary, placed[i].target);
      for (const auto part : files[i].parts) written.back().write(part);
    }
    sync_all(written);
    move_into_place(placed);
  } catch (...) {
    remove_leftovers(placed);
    throw;
  }
  remove_leftovers(placed);
}

}  // namespace tracciato
