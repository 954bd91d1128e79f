// Warnings about what the simulator gets other than what a row plainly says: the compile
// takes all of these silently, by the format's rules, and an author rarely means them.
#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "base/edit_distance.h"
#include "base/rounding.h"
#include "compile/check_hooks.h"
#include "compile/field_diagnostics.h"
#include "compile/field_values.h"
#include "compile/row_checks.h"
#include "model/positions.h"
#include "textio/keyword.h"

namespace tracciato {

namespace {

std::string quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

std::string lower_trimmed(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool same_letters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// Whether the keyword is one the writer writes for its kind, letter case aside. Asked of
// every row a warning pass reads, so it makes no copy.
bool as_written(const RowKind& row, std::string_view keyword) {
  while (!keyword.empty() && keyword.back() == ' ') keyword.remove_suffix(1);
  return std::any_of(row.keywords.begin(), row.keywords.end(),
                     [&](std::string_view w) { return same_letters(w, keyword); });
}

// A hyphen between two letters: a keyword's underscore or blank typed as a hyphen.
bool hyphen_in_a_word(std::string_view field) {
  for (std::size_t i = 1; i + 1 < field.size(); ++i) {
    if (field[i] == '-' && std::isalpha(static_cast<unsigned char>(field[i - 1])) != 0 &&
        std::isalpha(static_cast<unsigned char>(field[i + 1])) != 0) {
      return true;
    }
  }
  return false;
}

const RowKind* named_with_hyphens_read(Section section, std::string_view field) {
  for (const char joint : {'_', ' '}) {
    std::string mended(field);
    std::replace(mended.begin(), mended.end(), '-', joint);
    if (const RowKind* kind = named_kind(section, mended)) return kind;
  }
  return nullptr;
}

// Another format's comment mark at a line's start.
std::string_view comment_mark(std::string_view keyword) {
  for (const std::string_view mark : {"//", "#", ";"}) {
    if (keyword.starts_with(mark)) return mark;
  }
  return {};
}

// "a gradient row", "an adhesion row".
std::string a(std::string_view name) {
  const bool vowel =
      !name.empty() && std::string_view("aeiou").find(name.front()) != std::string_view::npos;
  return (vowel ? "an " : "a ") + std::string(name);
}

constexpr std::string_view kCommentHint =
    R"(a comment is a field holding "-": begin the line with "--")";

constexpr std::array<std::string_view, 7> kLineHeaders = {
    "[generale]", "[curve]", "[pendenze]", "[montagne]", "[cartelli]", "[indicazioni]", "[fine]"};
constexpr std::array<std::string_view, 8> kTrainHeaders = {
    "[generale]", "[aderenze]",      "[segnali]", "[vel_limite]",
    "[stazioni]", "[rallentamenti]", "[codici]",  "[fine]"};

std::span<const std::string_view> headers_of(Section section) {
  if (section == Section::kTrain) return kTrainHeaders;
  return kLineHeaders;
}

}  // namespace

std::optional<std::string_view> CheckHooks::read_keyword(int comment_skips, bool end_in_comments,
                                                         Section section) {
  if (reader_.at_end()) return std::nullopt;
  std::string_view field = reader_.read_text();
  if (reader_.at_end()) return std::nullopt;
  for (int i = 0; i < comment_skips && contains_exact(field, "-"); ++i) {
    if (active()) warn_comment_keyword(field, section);
    field = reader_.read_text();
    if (end_in_comments && reader_.at_end()) return std::nullopt;
  }
  return field;
}

void CheckHooks::warn_comment_keyword(std::string_view field, Section section) const {
  if (!hyphen_in_a_word(field)) return;
  const RowKind* kind = named_kind(section, field);
  if (kind == nullptr) kind = named_with_hyphens_read(section, field);
  if (kind == nullptr) return;
  const FieldSpan span = reader_.failure_span();
  observer_->warning(
      {located(path_, span.line, span.column, span.end_column, reader_.line_text(span)),
       std::nullopt,
       quoted(field) + " holds \"-\", so the reader takes it for a comment: the " +
           std::string(kind->name) +
           " it looks like is dropped, and its values are read as keywords",
       "write " + quoted(kind->keyword)});
}

void CheckHooks::warn_keyword_reading(std::string_view keyword, Section section) const {
  const RowKind* kind = this->kind();
  if (kind == nullptr || as_written(*kind, keyword)) return;
  if (keyword.starts_with('[')) {
    const auto meant = nearest(lower_trimmed(keyword), headers_of(section));
    warn(0,
         "the header " + quoted(keyword) + " holds " + quoted(kind->words.front().word) +
             ", so it is read as " + a(kind->name),
         std::nullopt, meant ? "did you mean " + quoted(*meant) + "?" : std::string());
    return;
  }
  if (const std::string_view mark = comment_mark(keyword); !mark.empty()) {
    observer_->warning(
        {at(0), std::nullopt,
         quoted(mark) + " marks no comment here: the line is read as " + a(kind->name),
         std::string(kCommentHint)});
    return;
  }
  const auto rows = rows_of(section);
  const auto other = std::find_if(
      rows.begin(), rows.end(), [&](const RowKind& r) { return &r != kind && names(r, keyword); });
  if (other != rows.end()) {
    warn(0, "the keyword " + quoted(keyword) + " names both " + a(kind->name) + " and " +
                a(other->name) + ": the compile reads one of each, one after the other");
    return;
  }
  if (kind->id == RowId::kCurve) {
    static constexpr std::array<std::string_view, 6> kRadius = {
        "10,000 m", "5,000 m", "2,500 m", "1,000 m", "500 m", "about 333 m"};
    for (std::size_t c = 0; c < kRadius.size(); ++c) {
      if (keyword.find(static_cast<char>('1' + c)) == std::string_view::npos) continue;
      const bool left = contains_any_case(keyword, "s");
      warn(0, "the curve keyword " + quoted(keyword) + " is read as a " +
                  (left ? "left" : "right") + "-hand curve of class " + std::to_string(c + 1) +
                  " (radius " + std::string(kRadius[c]) + "), because it holds " +
                  (left ? "an \"s\"" : "no \"s\"") + " and " + std::to_string(c + 1) +
                  " is the first of the digits 1 to 6 in it");
      return;
    }
  }
  if (kind->id == RowId::kSignalRepetition) {
    const char* count = contains_exact(keyword, "4")   ? "4"
                        : contains_exact(keyword, "9") ? "9"
                                                       : "";
    if (*count == '\0') return;
    warn(0, "the signal-repetition keyword " + quoted(keyword) + " is read as " + count +
                " codes, because it holds a " + quoted(count));
  }
}

void CheckHooks::warn_stored(RowId row, std::size_t k, std::int64_t v) const {
  const RowKind& kind = row_kind(row);
  const FieldSpec* f = field_of(kind, k);
  if (!active() || f == nullptr) return;
  // A number with more text after it in the row's last field is told with its stored value
  // by the warning about that text.
  if (k + 1 == reader_.row_fields_read() && reader_.row_field(k).more_text) return;
  const std::optional<std::int64_t> back = stored_in_unit(*f, v);
  std::string told;
  if (back && *back != v) {
    told = field_phrase(kind, k) + " is written as " + with_unit(v, f->unit) + " and stored as " +
           with_unit(*back, f->unit) + " (" + std::string(storage_words(f->storage)) +
           "; the field holds " + range_words(*f) + ")";
    if (f->storage == Storage::kPlus100Low8 && (*back > 0) != (v > 0)) {
      told += std::string(": a ") + (*back > 0 ? "climb" : "descent") + " where a " +
              (v > 0 ? "climb" : "descent") + " was written";
    }
  } else if (f->storage == Storage::kPacked && (v < f->low || v > f->high)) {
    told = field_phrase(kind, k) + " is written as " + with_unit(v, f->unit) +
           ", beyond what its field holds (" + range_words(*f) +
           "): packed with the other fields, it reads back as another value";
  }
  if (!told.empty()) warn(k, told);
}

bool CheckHooks::warn_text_cut(std::size_t k, std::string_view text) {
  if (!active() || reader_.fields_left_on_line() <= 0 || reader_.row_field(k).line != row_line()) {
    return false;
  }
  const RowKind* kind = this->kind();
  warn(k, field_phrase(*kind, k) + " ends at the comma: it is stored as " + quoted(text) +
              ", and what follows the comma is read as further rows");
  text_cut_ = true;
  return true;
}

void CheckHooks::warn_in_tail(RowId row, std::int32_t p, std::int32_t route_length) const {
  if (!active() || p <= route_length) return;
  warn(1,
       "the " + std::string(row_kind(row).name) + " at " + metres(p) +
           " lies past the route's end at " + metres(route_length) +
           ", in the 7,000 m of track the compile adds after it",
       p);
}

void CheckHooks::unknown_keyword(std::string_view field) const {
  const bool header = contains_exact(field, "[") && contains_exact(field, "]");
  const bool comment = contains_exact(field, "-");
  if (!active() || !row_starts_line_ || comment || field.empty()) return;
  if (header) {
    warn_header(field, section_);
    return;
  }
  if (const std::string_view mark = comment_mark(field); !mark.empty()) {
    warn(0,
         quoted(mark) + " marks no comment: the line is read as fields, and " + quoted(field) +
             " names no row kind, so it is skipped",
         std::nullopt, std::string(kCommentHint));
    return;
  }
  if (other_description_row(field)) return;
  if (field.find('\t') != std::string_view::npos) {
    observer_->warning({at(0), std::nullopt,
                        "\"" + std::string(field) + "\" names no row kind: the line is skipped",
                        std::string(kTabHint)});
    return;
  }
  std::vector<std::string_view> keywords;
  for (const RowKind& kind : rows_of(section_)) {
    keywords.insert(keywords.end(), kind.keywords.begin(), kind.keywords.end());
  }
  const auto meant = nearest(field, keywords);
  observer_->warning({at(0), std::nullopt,
                      "\"" + std::string(field) + "\" names no row kind: the line is skipped",
                      meant ? "did you mean \"" + std::string(*meant) + "\"?" : std::string()});
}

bool CheckHooks::other_description_row(std::string_view field) const {
  if (section_ != Section::kTrain) {
    const bool general = section_ == Section::kLineGeneral;
    if (const RowKind* kind =
            named_kind(general ? Section::kLineObjects : Section::kLineGeneral, field)) {
      warn(0, a(kind->name) + " is not read in " + std::string(section_words(section_)) + ": " +
                  (general ? "objects come after the first header that follows \"[generale]\""
                           : "general rows come between \"[generale]\" and the next header"));
      return true;
    }
  }
  const bool train = section_ == Section::kTrain;
  const Section other = train ? Section::kLineObjects : Section::kTrain;
  const RowKind* kind = named_kind(other, field);
  if (kind == nullptr && train) kind = named_kind(Section::kLineGeneral, field);
  if (kind == nullptr) return false;
  warn(0,
       quoted(field) + " is the keyword of " + a(kind->name) + ", which belongs in the " +
           (train ? "line" : "train") + " description: the " + (train ? "train" : "line") +
           " description skips it",
       std::nullopt,
       train ? "move the row into NAME_linea.txt" : "move the row into NAME_NUMBER-.txt");
  return true;
}

void CheckHooks::warn_header(std::string_view field, Section section) const {
  const std::span<const std::string_view> headers = headers_of(section);
  const std::string header = [&] {
    std::string h(field);
    while (!h.empty() && h.back() == ' ') h.pop_back();
    return h;
  }();
  if (std::find(headers.begin(), headers.end(), header) != headers.end()) return;
  const auto meant = nearest(lower_trimmed(header), headers);
  warn(0,
       quoted(header) + " is not one of the " +
           std::string(section == Section::kTrain ? "train" : "line") +
           " description's section headers",
       std::nullopt, meant ? "did you mean " + quoted(*meant) + "?" : std::string());
}

}  // namespace tracciato
