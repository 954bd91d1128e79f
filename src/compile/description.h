#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tracciato {

// Whether the two paths name one file; an output must never replace an input.
bool same_file(const std::filesystem::path& a, const std::filesystem::path& b);

// A line or train description handed to the compile: a file (an author's, or the
// program's own temporary one, which the compile deletes as it finishes with it) or
// text held in memory.
class Description {
 public:
  virtual ~Description() = default;
  // The name diagnostics give it.
  virtual const std::string& path() const = 0;
  virtual bool exists() const = 0;
  // The whole text, or nothing when it cannot be read. It stays valid as long as the
  // description.
  virtual std::optional<std::string_view> load() = 0;
  // Deletes the program's own temporary file; leaves anything else alone.
  virtual void discard() = 0;
  // Why it cannot be read, in a few words ("it is a directory"); empty when not known.
  virtual std::string read_problem() const { return {}; }
  // For one that does not exist, the file beside it whose name is nearest to its own, as
  // it would be named in diagnostics; empty when none is near.
  virtual std::string nearest_existing() const { return {}; }
};

// A file is read whole, not mapped: another program that shortens it meanwhile makes it
// unreadable, never the compile crash.
class FileDescription final : public Description {
 public:
  // `shown` names it in diagnostics; by default the path as given.
  FileDescription(std::filesystem::path file, bool temporary, std::string shown = {});
  FileDescription(const FileDescription&) = delete;
  FileDescription& operator=(const FileDescription&) = delete;
  const std::string& path() const override { return shown_; }
  bool exists() const override;
  std::optional<std::string_view> load() override;
  void discard() override;
  std::string read_problem() const override;
  std::string nearest_existing() const override;

 private:
  std::filesystem::path file_;
  std::string shown_;
  bool temporary_;
  std::vector<std::uint8_t> bytes_;
  std::string unreadable_;  // why the last load failed
};

class MemoryDescription final : public Description {
 public:
  MemoryDescription(std::string name, std::string text)
      : name_(std::move(name)), text_(std::move(text)) {}
  const std::string& path() const override { return name_; }
  bool exists() const override { return true; }
  std::optional<std::string_view> load() override { return text_; }
  void discard() override {}

 private:
  std::string name_;
  std::string text_;
};

}  // namespace tracciato
