#include "compile/row_kinds.h"

#include <array>
#include <limits>

#include "textio/keyword.h"

namespace tracciato {

namespace {

constexpr std::int64_t kI32Low = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kI32High = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kI16Low = std::numeric_limits<std::int16_t>::min();
constexpr std::int64_t kI16High = std::numeric_limits<std::int16_t>::max();

using enum Storage;

constexpr FieldSpec kPosition{"position", "", "m", kI32Low, kI32High, kCellPoint, ""};
constexpr FieldSpec kRunStart{"position", "", "m", kI32Low, kI32High, kCellRun, ""};

// The line's general section.
constexpr std::array kRouteLengthFields = {
    FieldSpec{"route length", "", "m", 0, 1'000'000, kAsWritten,
              "the track runs 7,000 m past it; at most 1,000,000 m (error 1)"}};
constexpr std::array kProgressiveFields = {
    FieldSpec{"start", "", "m", kI32Low, kI32High, kAsWritten, "a multiple of 50 m (error 2)"},
    FieldSpec{"kilometre at the start", "", "m", kI32Low, kI32High - 100, kKilometre,
              "a multiple of 50 m (error 2)"},
    FieldSpec{"direction", "", "", 0, 1, kAsWritten,
              "1 where the kilometres decrease along the route, 0 where they grow"}};
constexpr std::array kBackgroundFields = {
    FieldSpec{"background value", "", "", kI32Low, kI32High, kAsWritten, "kept for the simulator"}};
constexpr std::array kRepetitionFields = {
    FieldSpec{"first distance", "", "m", kI32Low, kI32High, kAsWritten,
              "a multiple of 50 m (error 3)"},
    FieldSpec{"second distance", "", "m", kI32Low, kI32High, kAsWritten,
              "a multiple of 50 m (error 4); 0 stores no code count"}};

// The line's objects.
constexpr std::array kGradientFields = {
    kRunStart,
    FieldSpec{"gradient", "", "per mille", -100, 155, kPlus100Low8, "holds until the next row"}};
constexpr std::array kCurveFields = {
    FieldSpec{"start", "", "m", kI32Low, kI32High, kPlanMetres, ""},
    FieldSpec{"length", "", "m", 0, kI32High, kPlanMetres, ""}};
constexpr std::array kMountainFields = {
    FieldSpec{"start", "inizio", "m", kI32Low, kI32High, kCellRun, ""},
    FieldSpec{"end", "fine", "m", kI32Low, kI32High, kCellRun, "the last cell is fine / 50 - 1"},
    FieldSpec{"kind", "tipo", "", 0, 265, kLow8,
              "above 10: kind - 10 with a marker every fourth cell"}};
constexpr std::string_view kLeftSpeed = "stored as 20 x the left speed + the right speed / 5";
constexpr std::array kSpeedBoardFields = {
    FieldSpec{"position", "posizione", "m", kI32Low, kI32High, kCellPoint, ""},
    FieldSpec{"left speed a", "vas", "km/h", 0, 1638, kPacked, kLeftSpeed},
    FieldSpec{"left speed b", "vbs", "km/h", 0, 1638, kPacked, kLeftSpeed},
    FieldSpec{"left speed c", "vcs", "km/h", 0, 1638, kPacked, kLeftSpeed},
    FieldSpec{"left stripe count", "strisces", "", 0, 9, kPacked, "one digit beside the right's"},
    FieldSpec{"right speed a", "vad", "km/h", 0, 95, kPacked, kLeftSpeed},
    FieldSpec{"right speed b", "vbd", "km/h", 0, 95, kPacked, kLeftSpeed},
    FieldSpec{"right speed c", "vcd", "km/h", 0, 95, kPacked, kLeftSpeed},
    FieldSpec{"right stripe count", "strisced", "", 0, 9, kPacked, "one digit beside the left's"}};
constexpr std::array kSignboardFields = {
    kPosition, FieldSpec{"text", "", "", 0, 0, kText, "kept in a header record, no commas"}};

// The train.
constexpr std::array kBrakedMassFields = {
    FieldSpec{"braked mass", "", "%", kI32Low, kI32High, kAsWritten, ""}};
constexpr std::array kCarsFields = {
    FieldSpec{"number of cars", "", "", kI32Low, kI32High, kAsWritten, ""}};
constexpr std::array kSpeedLimitFields = {
    kRunStart, FieldSpec{"speed limit", "", "km/h", 0, 1275, kDividedBy5,
                         "holds until the next row; beyond 1,277 km/h the compile fails"}};
constexpr std::array kAdhesionFields = {
    kRunStart, FieldSpec{"adhesion", "", "", 0, 255, kLow8, "holds until the next row"}};
constexpr std::array kClockFields = {
    FieldSpec{"hour", "", "h", kI16Low, kI16High, kNarrowed, ""},
    FieldSpec{"minute", "", "min", kI16Low, kI16High, kNarrowed, ""},
    FieldSpec{"second", "", "s", kI16Low, kI16High, kNarrowed, ""}};
constexpr std::array kSandFields = {FieldSpec{"sand", "", "", kI16Low, kI16High, kNarrowed, ""}};
constexpr std::string_view kSides = "with rapp and the other side, one digit of the cell";
constexpr std::string_view kDigits = "a digit, beside the other side's";
constexpr std::array kSignalFields = {
    FieldSpec{"position", "posizione", "m", 350, kI32High, kCellPoint,
              "at least 350 m: its approach marks lie 100 to 400 m before it"},
    FieldSpec{"left aspect", "sx", "", 0, 2, kPacked, kSides},
    FieldSpec{"left digit 1", "s1", "", 0, 9, kPacked, kDigits},
    FieldSpec{"left digit 2", "s2", "", 0, 9, kPacked, kDigits},
    FieldSpec{"left digit 3", "s3", "", 0, 9, kPacked, kDigits},
    FieldSpec{"rapp", "rapp", "", 0, 3276, kPacked, "stored with the aspects"},
    FieldSpec{"right aspect", "dx", "", 0, 2, kPacked, kSides},
    FieldSpec{"right digit 1", "d1", "", 0, 9, kPacked, kDigits},
    FieldSpec{"right digit 2", "d2", "", 0, 9, kPacked, kDigits},
    FieldSpec{"right digit 3", "d3", "", 0, 9, kPacked, kDigits},
    FieldSpec{"timer", "tempo", "s", 0, 255, kLow8,
              "kept only for a left aspect 2; 1 to 100 is timed as 101"}};
constexpr std::array kSlowdownFields = {
    FieldSpec{"start", "x", "m", kI32Low, kI32High, kCellPoint, ""},
    FieldSpec{"speed", "v", "km/h", kI16Low, kI16High, kLow16, ""},
    FieldSpec{"length", "l", "m", kI32Low, kI32High, kCellPoint, "its end is the cell of x + l"},
    FieldSpec{"f_tt", "f_tt", "", kI16Low, kI16High, kLow16, "kept in the start and end cells"},
    FieldSpec{"advance cells", "f_ta", "", kI32Low, kI32High, kAsWritten,
              "not 0: four advance cells before the warning point"},
    FieldSpec{"d_v", "d_v", "", kI16Low, kI16High, kLow16, "not 0: kept in every cell"}};
constexpr std::array kCodeDropFields = {
    kRunStart, FieldSpec{"code", "", "", kI16Low, kI16High, kLow16,
                         "above 0: a code marker carrying it; 0 or less: a code end marker"}};
constexpr std::array kStationFields = {
    FieldSpec{"position", "", "m", kI32Low, kI32High, kAsWritten, "a multiple of 50 m (error 8)"},
    FieldSpec{"kind", "", "", 0, 255, kNarrowed,
              "5, 6: platform behind; 7, 8: both sides; 25 and more: no marks in the track"},
    FieldSpec{"platform length", "", "m", kI32Low, kI32High, kPlatformSpan,
              "a multiple of 100 m (error 9)"},
    FieldSpec{"station flag", "", "", 0, 255, kNarrowed, ""},
    FieldSpec{"long platform flag", "", "", 0, 255, kNarrowed,
              "kept for platforms of 600 m or more, not at the first station"},
    FieldSpec{"end extension flag", "", "", 0, 255, kNarrowed,
              "not 0: 50 m more at the platform end, except kinds 5 to 8 and the first station"},
    FieldSpec{"station value 1", "", "", kI16Low, kI16High, kNarrowed, ""},
    FieldSpec{"station value 2", "", "", kI16Low, kI16High, kNarrowed, ""},
    FieldSpec{"station value 3", "", "", 0, 255, kNarrowed, ""},
    FieldSpec{"station value 4", "", "", kI16Low, kI16High, kNarrowed, ""},
    FieldSpec{"station value 5", "", "", kI16Low, kI16High, kNarrowed, ""},
    FieldSpec{"station value 6", "", "", kI16Low, kI16High, kNarrowed, ""},
    FieldSpec{"stop", "", "s", 0, 255, kNarrowed, "0 where the train passes"},
    FieldSpec{"departure hour", "", "h", kI32Low, kI32High, kDepartureTime, ""},
    FieldSpec{"departure minute", "", "min", kI32Low, kI32High, kDepartureTime, ""},
    FieldSpec{"departure second", "", "s", kI32Low, kI32High, kDepartureTime, ""},
    FieldSpec{"name", "", "", 0, 0, kText, "kept in a header record, no commas"}};

constexpr std::array<KeywordWord, 2> kRouteLengthWords = {
    {{"percorso", true}, {"lunghezza", true}}};
constexpr std::array<KeywordWord, 2> kTreWords = {{{"tre", false}, {"progressiva", false}}};
constexpr std::array<KeywordWord, 2> kDueWords = {{{"due", false}, {"progressiva", false}}};
constexpr std::array<KeywordWord, 2> kUnoWords = {{{"uno", false}, {"progressiva", false}}};
constexpr std::array<KeywordWord, 2> kSfondoUnoWords = {{{"sfondo", false}, {"uno", false}}};
constexpr std::array<KeywordWord, 2> kSfondoDueWords = {{{"sfondo", false}, {"due", false}}};
constexpr std::array<KeywordWord, 2> kSfondoTreWords = {{{"sfondo", false}, {"tre", false}}};
constexpr std::array<KeywordWord, 2> kRepetitionWords = {
    {{"segnali", false}, {"ripetizione", false}}};
constexpr std::array<KeywordWord, 1> kGradientWords = {{{"pendenza", true}}};
constexpr std::array<KeywordWord, 1> kCurveWords = {{{"curva", true}}};
constexpr std::array<KeywordWord, 1> kMountainWords = {{{"montagna", true}}};
constexpr std::array<KeywordWord, 1> kBoardWords = {{{"indicatori_v", true}}};
constexpr std::array<KeywordWord, 2> kSignboardWords = {{{"indicat", true}, {"cartello", true}}};
constexpr std::array<KeywordWord, 2> kBrakedMassWords = {{{"frenata", true}, {"massa", true}}};
constexpr std::array<KeywordWord, 1> kCarsWords = {{{"vetture", true}}};
constexpr std::array<KeywordWord, 1> kSpeedWords = {{{"velocit", true}}};
constexpr std::array<KeywordWord, 1> kAdhesionWords = {{{"aderenza", true}}};
constexpr std::array<KeywordWord, 1> kClockWords = {{{"orologio", true}}};
constexpr std::array<KeywordWord, 1> kSandWords = {{{"sabbia", true}}};
constexpr std::array<KeywordWord, 1> kSignalWords = {{{"segnale", true}}};
constexpr std::array<KeywordWord, 1> kSlowdownWords = {{{"rallentamento", true}}};
constexpr std::array<KeywordWord, 1> kCodeDropWords = {{{"abbattimento", true}}};
constexpr std::array<KeywordWord, 1> kStationWords = {{{"stazione", true}}};

constexpr std::array<std::string_view, 1> kw(std::string_view k) {
  return {k};
}
constexpr auto kRouteLengthKw = kw("lunghezza percorso");
constexpr auto kProgressiveTreKw = kw("progressiva chilometrica tre");
constexpr auto kProgressiveDueKw = kw("progressiva chilometrica due");
constexpr auto kProgressiveUnoKw = kw("progressiva chilometrica uno");
constexpr auto kSfondoUnoKw = kw("sfondo uno");
constexpr auto kSfondoDueKw = kw("sfondo due");
constexpr auto kSfondoTreKw = kw("sfondo tre");
constexpr std::array<std::string_view, 2> kRepetitionKw = {"ripetizione segnali 4 codici",
                                                           "ripetizione segnali 9 codici"};
constexpr auto kGradientKw = kw("pendenza");
constexpr std::array<std::string_view, 12> kCurveKw = {"curvad1", "curvad2", "curvad3", "curvad4",
                                                       "curvad5", "curvad6", "curvas1", "curvas2",
                                                       "curvas3", "curvas4", "curvas5", "curvas6"};
constexpr auto kMountainKw = kw("montagna");
constexpr auto kBoardKw = kw("indicatori_vmax");
constexpr auto kSignboardKw = kw("cartello_indicatore");
constexpr auto kBrakedMassKw = kw("percentuale massa frenata");
constexpr auto kCarsKw = kw("numero vetture");
constexpr auto kSpeedKw = kw("velocita");
constexpr auto kAdhesionKw = kw("aderenza");
constexpr auto kClockKw = kw("orologio");
constexpr auto kSandKw = kw("sabbia");
constexpr auto kSignalKw = kw("segnale");
constexpr auto kSlowdownKw = kw("rallentamento");
constexpr auto kCodeDropKw = kw("abbattimento");
constexpr auto kStationKw = kw("stazione");

using enum Section;
using enum Placement;
using R = RowId;

constexpr std::string_view kGeneral = "[generale]";

// Ordered as RowId: each section's rows in the order the reader tests a keyword.
constexpr std::array kRows = {
    RowKind{R::kRouteLength, kRouteLengthKw[0], "route length row", kLineGeneral, kGeneral,
            kRouteLengthWords, kRouteLengthKw, kRouteLengthFields, kNowhere, 0, ""},
    RowKind{R::kProgressiveTre, kProgressiveTreKw[0], "kilometric progressive row", kLineGeneral,
            kGeneral, kTreWords, kProgressiveTreKw, kProgressiveFields, kNowhere, 0, ""},
    RowKind{R::kProgressiveDue, kProgressiveDueKw[0], "kilometric progressive row", kLineGeneral,
            kGeneral, kDueWords, kProgressiveDueKw, kProgressiveFields, kNowhere, 0, ""},
    RowKind{R::kProgressiveUno, kProgressiveUnoKw[0], "kilometric progressive row", kLineGeneral,
            kGeneral, kUnoWords, kProgressiveUnoKw, kProgressiveFields, kNowhere, 0, ""},
    RowKind{R::kBackgroundUno, kSfondoUnoKw[0], "background row", kLineGeneral, kGeneral,
            kSfondoUnoWords, kSfondoUnoKw, kBackgroundFields, kNowhere, 0, ""},
    RowKind{R::kBackgroundDue, kSfondoDueKw[0], "background row", kLineGeneral, kGeneral,
            kSfondoDueWords, kSfondoDueKw, kBackgroundFields, kNowhere, 0, ""},
    RowKind{R::kBackgroundTre, kSfondoTreKw[0], "background row", kLineGeneral, kGeneral,
            kSfondoTreWords, kSfondoTreKw, kBackgroundFields, kNowhere, 0, ""},
    RowKind{R::kSignalRepetition, kRepetitionKw[0], "signal-repetition row", kLineGeneral, kGeneral,
            kRepetitionWords, kRepetitionKw, kRepetitionFields, kNowhere, 0, ""},
    RowKind{R::kGradient, kGradientKw[0], "gradient row", kLineObjects, "[pendenze]",
            kGradientWords, kGradientKw, kGradientFields, kRun, 100, ""},
    RowKind{R::kCurve, kCurveKw[0], "curve row", kLineObjects, "[curve]", kCurveWords, kCurveKw,
            kCurveFields, kGeometry, 100, ""},
    RowKind{R::kMountain, kMountainKw[0], "mountain row", kLineObjects, "[montagne]",
            kMountainWords, kMountainKw, kMountainFields, kRun, 100, ""},
    RowKind{R::kSpeedBoard, kBoardKw[0], "speed board row", kLineObjects, "[cartelli]", kBoardWords,
            kBoardKw, kSpeedBoardFields, kPoint, 100, ""},
    RowKind{R::kSignboard, kSignboardKw[0], "signboard row", kLineObjects, "[indicazioni]",
            kSignboardWords, kSignboardKw, kSignboardFields, kPoint, 100, ""},
    RowKind{R::kBrakedMass, kBrakedMassKw[0], "braked mass row", kTrain, kGeneral, kBrakedMassWords,
            kBrakedMassKw, kBrakedMassFields, kNowhere, 0, "it takes 0"},
    RowKind{R::kCars, kCarsKw[0], "cars row", kTrain, kGeneral, kCarsWords, kCarsKw, kCarsFields,
            kNowhere, 0, "it takes 0"},
    RowKind{R::kSpeedLimit, kSpeedKw[0], "speed limit row", kTrain, "[vel_limite]", kSpeedWords,
            kSpeedKw, kSpeedLimitFields, kRun, 100, "every cell's limit is 0"},
    RowKind{R::kAdhesion, kAdhesionKw[0], "adhesion row", kTrain, "[aderenze]", kAdhesionWords,
            kAdhesionKw, kAdhesionFields, kRun, 100, "every cell's adhesion is 0"},
    RowKind{R::kClock, kClockKw[0], "clock row", kTrain, kGeneral, kClockWords, kClockKw,
            kClockFields, kNowhere, 0, "it starts at 00:00:00"},
    RowKind{R::kSand, kSandKw[0], "sand row", kTrain, kGeneral, kSandWords, kSandKw, kSandFields,
            kNowhere, 0, "it takes 0"},
    RowKind{R::kSignal, kSignalKw[0], "signal row", kTrain, "[segnali]", kSignalWords, kSignalKw,
            kSignalFields, kPoint, 100, ""},
    RowKind{R::kSlowdown, kSlowdownKw[0], "slowdown row", kTrain, "[rallentamenti]", kSlowdownWords,
            kSlowdownKw, kSlowdownFields, kPoint, 100, ""},
    RowKind{R::kCodeDrop, kCodeDropKw[0], "code drop row", kTrain, "[codici]", kCodeDropWords,
            kCodeDropKw, kCodeDropFields, kRun, 100, ""},
    RowKind{R::kStation, kStationKw[0], "station row", kTrain, "[stazioni]", kStationWords,
            kStationKw, kStationFields, kPoint, 800, "its timetable is empty"},
};

constexpr bool ordered_as_ids() {
  for (std::size_t i = 0; i < kRows.size(); ++i) {
    if (static_cast<std::size_t>(kRows[i].id) != i) return false;
  }
  return true;
}
static_assert(ordered_as_ids());

constexpr std::size_t kFirstObject = static_cast<std::size_t>(R::kGradient);
constexpr std::size_t kFirstTrain = static_cast<std::size_t>(R::kBrakedMass);

}  // namespace

std::span<const RowKind> all_rows() {
  return kRows;
}

std::span<const RowKind> rows_of(Section section) {
  const std::span<const RowKind> rows = kRows;
  switch (section) {
    case kLineGeneral:
      return rows.first(kFirstObject);
    case kLineObjects:
      return rows.subspan(kFirstObject, kFirstTrain - kFirstObject);
    case kTrain:
      return rows.subspan(kFirstTrain);
  }
  return {};
}

const RowKind& row_kind(RowId id) {
  return kRows[static_cast<std::size_t>(id)];
}

bool names(const RowKind& row, std::string_view keyword) {
  for (const KeywordWord& w : row.words) {
    if (!(w.any_case ? contains_any_case(keyword, w.word) : contains_exact(keyword, w.word))) {
      return false;
    }
  }
  return true;
}

const RowKind* named_kind(Section section, std::string_view keyword) {
  for (const RowKind& row : rows_of(section)) {
    if (names(row, keyword)) return &row;
  }
  return nullptr;
}

const RowKind* written_kind(Section section, std::string_view keyword) {
  while (!keyword.empty() && keyword.back() == ' ') keyword.remove_suffix(1);
  if (keyword.empty()) return nullptr;
  for (const RowKind& row : rows_of(section)) {
    // Every keyword of a kind begins with the same letter: most kinds leave at once.
    if (row.keyword.front() != keyword.front()) continue;
    for (const std::string_view written : row.keywords) {
      if (written == keyword) return &row;
    }
  }
  return nullptr;
}

const RowKind* general_kind(std::string_view keyword) {
  return named_kind(kLineGeneral, keyword);
}
const RowKind* object_kind(std::string_view keyword) {
  return named_kind(kLineObjects, keyword);
}
const RowKind* train_kind(std::string_view keyword) {
  return named_kind(kTrain, keyword);
}

const FieldSpec* field_of(const RowKind& row, std::size_t k) {
  return k >= 1 && k <= row.fields.size() ? &row.fields[k - 1] : nullptr;
}

std::string field_phrase(const RowKind& row, std::size_t k) {
  const FieldSpec* field = field_of(row, k);
  if (field == nullptr) return "the " + std::string(row.name);
  return "the " + std::string(field->name) + " of the " + std::string(row.name);
}

std::string keyword_rule(const RowKind& row) {
  std::string rule = "contains ";
  bool any_case = true;
  for (std::size_t i = 0; i < row.words.size(); ++i) {
    if (i > 0) rule += " and ";
    rule += "\"" + std::string(row.words[i].word) + "\"";
    any_case = any_case && row.words[i].any_case;
  }
  return rule + (any_case ? " (any case)" : " (exact case)");
}

std::string_view storage_words(Storage storage) {
  switch (storage) {
    case kAsWritten:
      return "as written";
    case kCellPoint:
      return "in the 50 m cell p / 50 + 1, rounded";
    case kCellRun:
      return "from the 50 m cell p / 50 on, rounded";
    case kPlanMetres:
      return "metre by metre in the plan";
    case kKilometre:
      return "as written, + 100 where the kilometres decrease";
    case kDividedBy5:
      return "divided by 5, rounded to the nearest whole number";
    case kPlus100Low8:
      return "+ 100, low 8 bits";
    case kLow8:
      return "low 8 bits";
    case kLow16:
      return "low 16 bits";
    case kNarrowed:
      return "as written; beyond its range the compile fails (error 25)";
    case kPacked:
      return "packed with other fields into one value";
    case kPlatformSpan:
      return "not stored: it places the platform's ends";
    case kDepartureTime:
      return "with the other two, as seconds since midnight";
    case kText:
      return "as text, up to the next comma";
  }
  return "";
}

std::string_view section_words(Section section) {
  switch (section) {
    case kLineGeneral:
      return "the line description's general section";
    case kLineObjects:
      return "the line description's objects";
    case kTrain:
      return "the train description";
  }
  return "";
}

}  // namespace tracciato
