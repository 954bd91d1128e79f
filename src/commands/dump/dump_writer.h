#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "commands/dump/dump_fields.h"
#include "format/dump_decoder.h"

namespace tracciato {

// The route metres asked for with --from and --to, both included; open where not given.
struct DumpRange {
  std::optional<std::int64_t> from;
  std::optional<std::int64_t> to;

  bool given() const { return from || to; }
  bool contains(std::int64_t m) const { return (!from || m >= *from) && (!to || m <= *to); }
  // Whether the metres from `a` up to, not including, `b` meet the range.
  bool meets(std::int64_t a, std::int64_t b) const {
    return (!from || b > *from) && (!to || a <= *to);
  }
};

// One compiled file as the output names it.
struct DumpedFile {
  std::string name;
  std::size_t bytes = 0;
};

// What comes before the items.
struct DumpHeading {
  CompiledKind kind = CompiledKind::kHeader;
  const char* items = "";  // "records", "cells", "metres" or "values"
  std::size_t count = 0;   // of the first file
  DumpedFile a;
  std::optional<DumpedFile> b;  // --diff
  DumpRange range;
  std::string left_out;  // what the thinning leaves out, empty when nothing
};

// What comes after them.
struct DumpEnding {
  std::size_t flagged = 0;
  std::optional<DecodeError> damage;
  std::size_t differences = 0;
};

// The text or JSON form of a dump, written item by item as the file is read.
class DumpWriter {
 public:
  virtual ~DumpWriter() = default;
  virtual void begin(const DumpHeading& heading) = 0;
  virtual void item(const ShownItem& item) = 0;
  // An item of --diff as each file has it; nullptr where a file does not have it.
  virtual void difference(const ShownItem* a, const ShownItem* b) = 0;
  virtual void end(const DumpEnding& ending) = 0;
};

// Collects output and hands it on in large pieces.
class OutputBuffer {
 public:
  explicit OutputBuffer(std::ostream& out) : out_(out) {}
  ~OutputBuffer() { flush(); }
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;
  std::string& text() { return text_; }
  void maybe_flush() {
    if (text_.size() >= kChunk) flush();
  }
  void flush() {
    out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
    text_.clear();
  }

 private:
  static constexpr std::size_t kChunk = std::size_t{1} << 16;
  std::ostream& out_;
  std::string text_;
};

}  // namespace tracciato
