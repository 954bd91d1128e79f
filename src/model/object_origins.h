#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/error_state.h"

namespace tracciato {

// Where each object in the track and each approach mark was written, so that an object
// refused its cell, or marks written over, can name the row that was there first. Only
// cells that receive something have an entry; a compile that meets no clash only appends
// a few bytes per object.
class ObjectOrigins {
 public:
  // Where a row stands: its position field, and where its line starts in the description;
  // `row` names its kind ("signal row"), a text that lives as long as the program.
  struct RowPlace {
    int line = 0;
    int column = 0;
    int end_column = 0;
    std::size_t line_start = 0;
    std::string_view row;
  };
  // The row that wrote something, and where it stands.
  struct Origin {
    SourceLocation at;
    std::string_view row;
  };

  // While it lives, the rows read come from the description `path` with `text`. With
  // `keep_lines`, the text is gone before the origins are asked (the line description,
  // released before the train is read), so the line of each row that places something is
  // copied; otherwise it is read back from `text` while the description is read.
  class Reading {
   public:
    Reading(ObjectOrigins& origins, std::string path, std::string_view text, bool keep_lines);
    ~Reading();
    Reading(const Reading&) = delete;
    Reading& operator=(const Reading&) = delete;

   private:
    ObjectOrigins& origins_;
  };

  // The row being read, which may place objects or marks.
  void begin_row(const RowPlace& place);
  // The row being read wrote an object into cell `i`, or an approach mark.
  void placed(std::int64_t i) { record(objects_, i); }
  void marked(std::int64_t i) { record(marks_, i); }

  // The row that wrote the object now in cell `i`, or its approach mark; nothing when no
  // row did (a marker of the compile's own).
  std::optional<Origin> object_at(std::int64_t i) const { return find(objects_, i); }
  std::optional<Origin> mark_at(std::int64_t i) const { return find(marks_, i); }
  // The bytes of lines copied from descriptions that are released before they are asked.
  std::size_t kept_bytes() const { return kept_lines_.size(); }

 private:
  static constexpr std::uint32_t kNoRow = UINT32_MAX;

  struct Row {
    std::uint32_t description = 0;
    int line = 0;
    int column = 0;
    int end_column = 0;
    std::string_view name;
    bool kept = false;  // its line is in kept_lines_, from `start`
    std::size_t start = 0;
    std::size_t length = 0;
  };
  struct Description {
    std::string path;
    std::string_view text;  // empty once it is no longer read
    bool keep_lines = false;
  };
  struct Entry {
    std::int64_t cell = 0;
    std::uint32_t row = kNoRow;
  };

  void record(std::vector<Entry>& entries, std::int64_t i);
  std::optional<Origin> find(const std::vector<Entry>& entries, std::int64_t i) const;
  // The row being read, entered among the rows when it first places something.
  std::uint32_t current_row();

  std::vector<Description> descriptions_;
  std::optional<RowPlace> pending_;
  std::uint32_t current_ = kNoRow;
  std::vector<Row> rows_;
  std::string kept_lines_;
  // The line copied last, by its description and start, and where its copy begins: the
  // rows that run on along one line share one copy.
  std::optional<std::pair<std::uint32_t, std::size_t>> last_kept_;
  std::size_t last_kept_copy_ = 0;
  // The last line measured and its length: the rows of one long line measure it once.
  std::optional<std::pair<std::uint32_t, std::size_t>> last_measured_;
  std::size_t last_length_ = 0;
  // In the order written: the last entry of a cell is what stands there now.
  std::vector<Entry> objects_;
  std::vector<Entry> marks_;
};

}  // namespace tracciato
