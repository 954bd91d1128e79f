#include "commands/report/page_file.h"

#include <array>
#include <cstdint>
#include <optional>
#include <streambuf>

#include "base/file_error.h"
#include "base/utf8_path.h"
#include "platform/replacing_file.h"
#include "platform/temporary_files.h"

namespace tracciato {

namespace {

// A stream buffer that hands its bytes to the file in blocks and keeps the first failure,
// which the stream itself would reduce to a bad bit.
class PageBuffer : public std::streambuf {
 public:
  explicit PageBuffer(ReplacingFile& file) : file_(file) {
    setp(block_.data(), block_.data() + block_.size());
  }
  const std::optional<FileError>& failure() const { return failure_; }

 protected:
  int_type overflow(int_type c) override {
    if (!hand_over()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
  }
  int sync() override { return hand_over() ? 0 : -1; }

 private:
  bool hand_over() {
    if (failure_) return false;
    try {
      file_.write({reinterpret_cast<const std::uint8_t*>(pbase()),
                   static_cast<std::size_t>(pptr() - pbase())});
    } catch (const FileError& error) {
      failure_ = error;
      return false;
    }
    setp(block_.data(), block_.data() + block_.size());
    return true;
  }

  ReplacingFile& file_;
  std::array<char, std::size_t{1} << 16> block_{};
  std::optional<FileError> failure_;
};

// "cannot write FILE: " and the reason, named once though the error names the page too.
Failure page_failure(const std::string& reason, const std::filesystem::path& file) {
  const std::string named = shown_path(file) + ": ";
  const std::string why = reason.starts_with(named) ? reason.substr(named.size()) : reason;
  return file_failure("cannot write " + named + why);
}

}  // namespace

Result<std::filesystem::path> write_page_file(const std::filesystem::path& file,
                                              bool replace_read_only,
                                              const std::function<void(std::ostream&)>& make) {
  if (!replace_read_only && standing_file(file).read_only) {
    return page_failure("it is read-only; --force replaces it", file);
  }
  try {
    const std::filesystem::path dir = file.parent_path();
    remove_stale_temporaries(dir.empty() ? std::filesystem::path(".") : dir);
    ReplacingFile page(file);
    PageBuffer buffer(page);
    std::ostream out(&buffer);
    make(out);
    out.flush();
    if (buffer.failure()) return page_failure(buffer.failure()->what(), file);
    page.commit();
  } catch (const FileError& error) {
    return page_failure(error.what(), file);
  }
  return file;
}

}  // namespace tracciato
