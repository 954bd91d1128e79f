#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tracciato {

// A regular file mapped read-only: however long it is, only the pages being read are
// held. Another program may hold the file open, even for writing, while it is read.
class MappedFile {
 public:
  // Nothing when the file cannot be opened (see InputFile::open), is not a regular file
  // or cannot be mapped; `why`, when given, then says why.
  static std::optional<MappedFile> open(const std::filesystem::path& file,
                                        std::string* why = nullptr);
  MappedFile(MappedFile&& other) noexcept;
  MappedFile& operator=(MappedFile&& other) noexcept;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  ~MappedFile();

  std::string_view bytes() const { return {data_, size_}; }

 private:
  MappedFile(const char* data, std::size_t size, void* handle)
      : data_(data), size_(size), handle_(handle) {}
  void release();

  const char* data_ = nullptr;
  std::size_t size_ = 0;
  void* handle_ = nullptr;  // the system's handle of the mapping, where it has one
};

}  // namespace tracciato
