#include "model/object_origins.h"

#include <algorithm>
#include <utility>

namespace tracciato {

namespace {

// The length of the line that starts at `start`, without its line end.
std::size_t line_length(std::string_view text, std::size_t start) {
  if (start >= text.size()) return 0;
  const std::size_t end = text.find_first_of("\r\n", start);
  return (end == std::string_view::npos ? text.size() : end) - start;
}

}  // namespace

ObjectOrigins::Reading::Reading(ObjectOrigins& origins, std::string path, std::string_view text,
                                bool keep_lines)
    : origins_(origins) {
  origins_.descriptions_.push_back({std::move(path), text, keep_lines});
  origins_.pending_.reset();
  origins_.current_ = kNoRow;
}

ObjectOrigins::Reading::~Reading() {
  origins_.descriptions_.back().text = {};
  origins_.pending_.reset();
  origins_.current_ = kNoRow;
}

void ObjectOrigins::begin_row(const RowPlace& place) {
  pending_ = place;
  current_ = kNoRow;
}

std::uint32_t ObjectOrigins::current_row() {
  if (current_ != kNoRow || !pending_ || descriptions_.empty()) return current_;
  const auto d = static_cast<std::uint32_t>(descriptions_.size() - 1);
  const Description& description = descriptions_.back();
  const std::pair line{d, pending_->line_start};
  if (last_measured_ != line) {
    last_measured_ = line;
    last_length_ = line_length(description.text, pending_->line_start);
  }
  const std::size_t length = last_length_;
  Row row{d,
          pending_->line,
          pending_->column,
          pending_->end_column,
          pending_->row,
          description.keep_lines,
          pending_->line_start,
          length};
  if (row.kept) {
    if (last_kept_ != line) {
      last_kept_ = line;
      last_kept_copy_ = kept_lines_.size();
      kept_lines_.append(description.text.substr(pending_->line_start, length));
    }
    row.start = last_kept_copy_;
  }
  rows_.push_back(row);
  current_ = static_cast<std::uint32_t>(rows_.size() - 1);
  return current_;
}

void ObjectOrigins::record(std::vector<Entry>& entries, std::int64_t i) {
  entries.push_back({i, current_row()});
}

std::optional<ObjectOrigins::Origin> ObjectOrigins::find(const std::vector<Entry>& entries,
                                                         std::int64_t i) const {
  const auto last =
      std::find_if(entries.rbegin(), entries.rend(), [i](const Entry& e) { return e.cell == i; });
  if (last == entries.rend() || last->row == kNoRow) return std::nullopt;
  const Row& row = rows_[last->row];
  const Description& description = descriptions_[row.description];
  std::string source;
  if (row.kept) {
    source = kept_lines_.substr(row.start, row.length);
  } else if (!description.text.empty()) {
    source = std::string(description.text.substr(row.start, row.length));
  }
  return Origin{{description.path, row.line, row.column, row.end_column, std::move(source)},
                row.name};
}

}  // namespace tracciato
