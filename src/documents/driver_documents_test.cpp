#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <limits>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "documents/scenario_texts.h"
#include "model/embedded_scenario.h"
#include "testing/files.h"
#include "textio/field_reader.h"

namespace tracciato {
namespace {

struct Document {
  const char* file;  // the name it is written under
  std::string_view EmbeddedScenario::*text;
  std::size_t line_count;
};

const Document kCard = {"BrenzanoC_OstuviaC_4417_scheda_treno.txt",
                        &EmbeddedScenario::timetable_card, 61};
const Document kOrder = {"BrenzanoC_OstuviaC_4417_rallentamenti.txt",
                         &EmbeddedScenario::slowdown_order, 43};
const Document kNotes = {"BrenzanoC_OstuviaC_4417_note.txt", &EmbeddedScenario::notes, 30};
const Document kDocuments[] = {kCard, kOrder, kNotes};

// The bytes of `d` as the scenario's texts are written into a fresh directory.
std::string written(const Document& d, const EmbeddedScenario& scenario = embedded_scenario()) {
  test_support::TempDir dir;
  write_scenario_texts(scenario, dir.path());
  return test_support::read_file(dir / d.file);
}

// The lines of written bytes; every line has to end with CR LF.
std::vector<std::string> crlf_lines(const std::string& bytes) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t end = bytes.find("\r\n", at);
    if (end == std::string::npos) {
      ADD_FAILURE() << "bytes after the last CR LF: " << bytes.substr(at);
      break;
    }
    lines.push_back(bytes.substr(at, end - at));
    EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos)
        << "a bare CR or LF in line " << lines.size();
    at = end + 2;
  }
  return lines;
}

std::vector<std::string> lf_lines(std::string_view text) {
  std::vector<std::string> lines;
  std::istringstream in{std::string(text)};
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool blank(const std::string& s) {
  return s.find_first_not_of(' ') == std::string::npos;
}

// `text` at `offset` in a run of `width` spaces.
std::string placed(std::size_t width, std::size_t offset, const std::string& text) {
  std::string s(width, ' ');
  return s.replace(offset, text.size(), text);
}

std::set<std::size_t> bars_of(const std::string& line) {
  std::set<std::size_t> bars;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '|') bars.insert(i);
  }
  return bars;
}

// The first capture of `form` matched against the whole of `s`, if it matches.
std::optional<std::string> match(const std::string& s, const std::regex& form) {
  std::smatch m;
  if (!std::regex_match(s, m, form)) return std::nullopt;
  return m.size() > 1 ? m[1].str() : m[0].str();
}

// Metres of a kilometre written "137.314" or "103,220".
int metres_of(const std::string& km) {
  const std::size_t point = km.find_first_of(".,");
  return std::stoi(km.substr(0, point)) * 1000 + std::stoi(km.substr(point + 1));
}

// Minutes of the day of "14.10".
int minutes_of(const std::string& time) {
  return std::stoi(time.substr(0, 2)) * 60 + std::stoi(time.substr(3, 2));
}

// A place name as the documents abbreviate it: each word whole, or cut short with a point.
bool abbreviates(const std::string& shown, const std::string& name) {
  std::istringstream s(shown);
  std::istringstream n(name);
  std::string a;
  std::string b;
  bool any = false;
  while (s >> a) {
    if (!(n >> b)) return false;
    const bool cut = a.back() == '.' && b.starts_with(a.substr(0, a.size() - 1));
    if (a != b && !cut) return false;
    any = true;
  }
  return any;
}

// The embedded train and line, read the compiler's way.
struct Station {
  int position;
  int stop;
  int hours, minutes;
  std::string name;
};
struct SpeedLimit {
  int position, speed;
};
struct Slowdown {
  int x, v, l;
};
struct Train {
  std::vector<SpeedLimit> limits;
  std::vector<Station> stations;
  std::vector<Slowdown> slowdowns;
};

Train embedded_train() {
  Train t;
  for (const std::string& line : lf_lines(embedded_scenario().train)) {
    FieldReader r(line);
    const std::string keyword(r.read_text());
    std::vector<int> v;
    const int numbers = keyword == "velocita"        ? 2
                        : keyword == "rallentamento" ? 6
                        : keyword == "stazione"      ? 16
                                                     : 0;
    v.reserve(static_cast<std::size_t>(numbers));
    for (int i = 0; i < numbers; ++i) v.push_back(r.read_number());
    if (keyword == "velocita") t.limits.push_back({v[0], v[1]});
    if (keyword == "rallentamento") t.slowdowns.push_back({v[0], v[1], v[2]});
    if (keyword == "stazione") {
      t.stations.push_back({v[0], v[12], v[13], v[14], std::string(r.read_text())});
    }
  }
  return t;
}

// The kilometre, in metres, of a route position by the line's first kilometric progressive.
struct Progressive {
  int start = 0, value = 0, decreasing = 0;
  int at(int position) const {
    return decreasing != 0 ? value - (position - start) : value + (position - start);
  }
};

Progressive embedded_progressive() {
  for (const std::string& line : lf_lines(embedded_scenario().line)) {
    FieldReader r(line);
    if (r.read_text() != "progressiva chilometrica uno") continue;
    Progressive p;
    p.start = r.read_number();
    p.value = r.read_number();
    p.decreasing = r.read_number();
    return p;
  }
  ADD_FAILURE() << "the line has no first kilometric progressive";
  return {};
}

// ---------------------------------------------------------------------------------------------
// All three documents

TEST(Documents, EachReplacesAnEarlierFileOfItsNameWithItsLinesInCrLf) {
  for (const Document& d : kDocuments) {
    SCOPED_TRACE(d.file);
    test_support::TempDir dir;
    test_support::write_file(dir / d.file, std::string(20000, 'x') + "\r\n");
    write_scenario_texts(embedded_scenario(), dir.path());
    // The five texts and nothing else: no scratch file of the writer is left.
    EXPECT_EQ(test_support::file_names(dir.path()),
              (std::vector<std::string>{
                  "BrenzanoC_OstuviaC_4417-.txt", "BrenzanoC_OstuviaC_4417_note.txt",
                  "BrenzanoC_OstuviaC_4417_rallentamenti.txt",
                  "BrenzanoC_OstuviaC_4417_scheda_treno.txt", "BrenzanoC_OstuviaC_linea.txt"}));
    const std::string bytes = test_support::read_file(dir / d.file);
    EXPECT_EQ(crlf_lines(bytes).size(), d.line_count);
    EXPECT_EQ(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')), d.line_count);
    EXPECT_EQ(bytes.find(std::string(100, 'x')), std::string::npos);
    EXPECT_EQ(bytes.find("riferimento fine del file"), std::string::npos);
  }
}

TEST(Documents, EveryLineIsWrittenWholeInTheCodePage) {
  // Read back through the code page, the bytes give the held text line for line, trailing
  // blanks and all: no character fell outside the code page and became "?".
  for (const Document& d : kDocuments) {
    SCOPED_TRACE(d.file);
    const std::vector<std::string> held = lf_lines(embedded_scenario().*d.text);
    const std::vector<std::string> lines = crlf_lines(written(d));
    ASSERT_EQ(lines.size(), held.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(cp1252_to_utf8(lines[i]), held[i]) << "line " << i + 1;
    }
  }
}

TEST(Documents, ACharacterOutsideTheCodePageIsWrittenAsAQuestionMark) {
  for (const Document& d : kDocuments) {
    SCOPED_TRACE(d.file);
    EmbeddedScenario scenario = embedded_scenario();
    scenario.*d.text = "Validit\u00e0 n\u00b0 \u03a9 \u20ac \u2192\n  \n\n";
    EXPECT_EQ(written(d, scenario), "Validit\xE0 n\xB0 ? \x80 ?\r\n  \r\n\r\n");
  }
}

TEST(Documents, AreWrittenBeforeTheCompileAndStayWhenItFails) {
  test_support::TempDir good;
  test_support::TempDir damaged;
  ASSERT_EQ(test_support::run_tracciato({"--out", good.path()}, good.path()).status, 0);
  for (const Document& d : kDocuments)
    test_support::write_file(damaged / d.file, "an earlier copy\r\n");
  const auto run =
      test_support::run_program(TRACCIATO_DAMAGED_EXE, {"--out", damaged.path()}, damaged.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.substr(0, run.err.find('\n')), " Errore n. 6");
  for (const Document& d : kDocuments) {
    SCOPED_TRACE(d.file);
    const std::string bytes = test_support::read_file(damaged / d.file);
    EXPECT_EQ(crlf_lines(bytes).size(), d.line_count);
    EXPECT_EQ(bytes, test_support::read_file(good / d.file));
  }
}

// ---------------------------------------------------------------------------------------------
// Timetable card

// One of the 41 route rows, read column by column; `problems` names every broken rule.
struct RouteRow {
  enum class Times { kNone, kArrivalDeparture, kPassing, kDepartureOnly, kArrivalOnly };
  int speed = 0;  // 0 when blank
  int second_speed = 0;
  std::optional<int> km;        // station rows: metres
  std::optional<int> point_km;  // speed-change rows, "Km.103,220": metres
  char mark = 0;
  std::string place;
  Times times = Times::kNone;
  std::vector<int> minutes;
  std::vector<std::string> problems;

  int any_km() const { return km ? *km : point_km.value_or(-1); }
};

int card_speed(const std::string& cell, std::vector<std::string>& problems) {
  static const std::regex form(R"( *([1-9][0-9]*) )");
  if (blank(cell)) return 0;
  const auto digits = match(cell, form);
  if (!digits) problems.push_back("speed \"" + cell + "\"");
  return digits ? std::stoi(*digits) : -1;
}

RouteRow read_route_row(const std::string& l) {
  static const std::regex km_form(R"( *((?:0|[1-9][0-9]*)\.[0-9]{3}))");
  static const std::regex mark_form(R"( \|([_/\\ ])\|[/\\ ]  )");
  static const std::regex name_form(R"(([A-Z](?:[A-Z. ]*?[A-Z.])?)(?: *| \.+))");
  static const std::regex point_form(R"(((?:[A-Z]\.)*Km\.(?:0|[1-9][0-9]*),[0-9]{3}) *)");
  static const std::regex time(R"([0-9]{2}\.[0-5][0-9])");
  static const std::regex rec_form(R"([0-9]\.[0-9])");
  static const std::regex track_form(R"( [1-9][0-9]+ +)");
  RouteRow row;
  auto& problems = row.problems;
  if (l.size() != 96 && !(l.size() == 97 && l.back() == ' ')) {
    problems.push_back("length " + std::to_string(l.size()));
    return row;
  }
  std::set<std::size_t> bars;
  for (const std::size_t bar : bars_of(l)) {
    if (bar < 15 || bar > 47) bars.insert(bar);
  }
  if (bars != std::set<std::size_t>{2, 8, 14, 48, 64, 68, 75, 95}) problems.emplace_back("bars");
  if (l.substr(0, 2) != "  ") problems.emplace_back("indent");
  row.speed = card_speed(l.substr(3, 5), problems);
  row.second_speed = card_speed(l.substr(9, 5), problems);

  const std::string km = l.substr(15, 7);
  const std::string mark = l.substr(22, 7);
  const std::string name = l.substr(29, 19);
  if (blank(km)) {
    const auto point = match(l.substr(28, 20), point_form);
    if (l.substr(22, 6) != "   |  " || !point) problems.push_back("point \"" + l.substr(15, 33));
    if (point) {
      row.place = *point;
      row.point_km = metres_of(point->substr(point->find("Km.") + 3));
    }
    if (row.speed == 0) problems.emplace_back("a speed-change row without a speed");
  } else {
    const auto kilometre = match(km, km_form);
    const auto drawn = match(mark, mark_form);
    const auto station = match(name, name_form);
    if (!kilometre) problems.push_back("kilometre \"" + km + "\"");
    if (!drawn) problems.push_back("mark \"" + mark + "\"");
    if (!station) problems.push_back("place \"" + name + "\"");
    if (kilometre) row.km = metres_of(*kilometre);
    if (drawn) row.mark = (*drawn)[0];
    if (station) row.place = *station;
  }

  const std::string times = l.substr(49, 15);
  const auto time_at = [&](std::size_t at) { return times.substr(at, 5); };
  const auto is_time = [&](std::size_t at) { return std::regex_match(time_at(at), time); };
  const auto blank_but = [&](std::size_t a, std::size_t b = 15) {
    std::string rest = times;
    rest.replace(a, 5, 5, ' ');
    if (b < 15) rest.replace(b, 5, 5, ' ');
    return blank(rest);
  };
  if (blank(times)) {
    row.times = RouteRow::Times::kNone;
  } else if (is_time(1) && is_time(9) && blank_but(1, 9)) {
    row.times = RouteRow::Times::kArrivalDeparture;
    row.minutes = {minutes_of(time_at(1)), minutes_of(time_at(9))};
  } else if (is_time(5) && blank_but(5)) {
    row.times = RouteRow::Times::kPassing;
    row.minutes = {minutes_of(time_at(5))};
  } else if (is_time(9) && blank_but(9)) {
    row.times = RouteRow::Times::kDepartureOnly;
    row.minutes = {minutes_of(time_at(9))};
  } else if (is_time(1) && blank_but(1)) {
    row.times = RouteRow::Times::kArrivalOnly;
    row.minutes = {minutes_of(time_at(1))};
  } else {
    problems.push_back("times \"" + times + "\"");
  }
  if (row.km.has_value() == (row.times == RouteRow::Times::kNone)) {
    problems.emplace_back("times on a speed-change row or none at a station");
  }

  const std::string rec = l.substr(65, 3);
  const std::string track = l.substr(69, 6);
  const std::string symbols = l.substr(76, 19);
  if (!blank(rec) && !std::regex_match(rec, rec_form)) problems.push_back("Rec \"" + rec + "\"");
  if (!blank(track) && track != "  /   " && !std::regex_match(track, track_form)) {
    problems.push_back("V. Max \"" + track + "\"");
  }
  std::string symbols_but_86 = symbols;
  symbols_but_86[10] = ' ';
  if (!blank(symbols_but_86) ||
      (symbols[10] != ' ' && std::isdigit(static_cast<unsigned char>(symbols[10])) == 0)) {
    problems.push_back("symbols \"" + symbols + "\"");
  }
  return row;
}

class TimetableCard : public ::testing::Test {
 protected:
  void SetUp() override {
    lines = crlf_lines(written(kCard));
    ASSERT_EQ(lines.size(), 61u);
  }
  const std::string& line(int number) const { return lines.at(number - 1); }
  std::vector<RouteRow> route_rows() const {
    std::vector<RouteRow> rows;
    for (int n = 18; n <= 58; ++n) rows.push_back(read_route_row(line(n)));
    return rows;
  }

  std::vector<std::string> lines;
};

TEST_F(TimetableCard, LineLengthsAndEmptyLines) {
  const std::set<std::size_t> lengths = {0, 75, 95, 96, 97, 98};
  for (int n = 1; n <= 61; ++n) {
    EXPECT_TRUE(lengths.contains(line(n).size())) << "line " << n << ": " << line(n).size();
    EXPECT_EQ(line(n).empty(), n <= 2 || n >= 60) << "line " << n;
  }
}

TEST_F(TimetableCard, HeaderAndRulesStandAsPrinted) {
  const std::map<int, std::string> printed = {
      {3,
       "  ___________________      ___________________                           "
       "_______________________"},
      {4,
       " |  Fascicolo Linee  |    |      Treno        |                         | Sigla di "
       "Composizione |"},
      {6,
       " |___________________|    |___________________|                         |         105%   "
       "       |"},
      {8, " | Dal: 30.09.2001   |    |  OSTUVIA CENTRALE |     A: OSTUVIA C.          "},
      {9,
       " |___________________|    |___________________|                          "
       "_______________________"},
      {10,
       "  ______________________ _____________________                          | Int. alla "
       "Sigla |     |"},
      {11,
       " | Classificazione      | Massa Bloccata      |                         |      ALe 582  "
       "  | RSC4| "},
      {12,
       " |         R            |        1ALe+1Le     |                         |                 "
       "|     | "},
      {13,
       " |______________________|_____________________|                         "
       "|_________________|_____|"},
      {14, "   " + std::string(92, '_')},
      {15,
       "  | Vel.| Vel.|  Prog                           |               |Rec|Bin.Dx|SRS| "
       "Simbologia|SRS| "},
      {16,
       "  | Max.|Marc.|   Km.           Localita'       |     Orario    |   |V. Max| SX|        "
       "   | DX|"},
      {17,
       "  |_____|_____|_________________________________|_______________|___|______|___|_______"
       "____|___|"},
      {59,
       "  |_____|_____|_________________________________|_______________|___|______|___________"
       "________|"},
  };
  for (const auto& [n, text] : printed) EXPECT_EQ(line(n), text) << "line " << n;
  EXPECT_EQ(line(14).size(), 95u);
  EXPECT_EQ(line(15).size(), 97u);

  // Lines 5 and 7 fill the frame of line 4: boxes A and B, the free field, box C.
  const std::string region = line(5).substr(7, 14);
  EXPECT_TRUE(std::regex_match(region, std::regex("[A-Z][A-Z ]*[A-Z] *"))) << region;
  EXPECT_EQ(line(5), " |" + placed(19, 5, region) + "|    |" + placed(19, 4, "4417/4418") + "|" +
                         placed(25, 5, "Scheda n\xB0 1/1") + "|" + placed(23, 7, "VS140 C") + "|");
  EXPECT_EQ(line(7), " |" + placed(19, 1, "Validit\xE0") + "|    |" +
                         placed(19, 1, "Termine Scheda") + "|" + placed(25, 4, "Da: BRENZANO C.") +
                         "|" + std::string(23, '_') + "|");
  for (int n = 4; n <= 7; ++n) {
    EXPECT_EQ(bars_of(line(n)), (std::set<std::size_t>{1, 21, 26, 46, 72, 96})) << n;
  }
  for (int n = 11; n <= 13; ++n) {
    EXPECT_EQ(bars_of(line(n)), (std::set<std::size_t>{1, 24, 46, 72, 90, 96})) << n;
  }
}

TEST_F(TimetableCard, EveryRouteRowKeepsTheColumns) {
  for (int n = 18; n <= 58; ++n) {
    const RouteRow row = read_route_row(line(n));
    EXPECT_TRUE(row.problems.empty())
        << "line " << n << ": " << ::testing::PrintToString(row.problems) << "\n"
        << line(n);
  }
}

TEST_F(TimetableCard, RouteRunsFromBrenzanoAtItsKilometreToOstuviaAtZero) {
  const std::vector<RouteRow> rows = route_rows();
  ASSERT_EQ(rows.size(), 41u);
  const RouteRow& first = rows.front();
  EXPECT_EQ(first.speed, 30);
  EXPECT_EQ(first.second_speed, 30);
  EXPECT_EQ(first.km.value_or(-1), 137314);
  EXPECT_EQ(first.mark, '_');
  EXPECT_EQ(first.place, "BRENZANO C.");
  EXPECT_EQ(first.times, RouteRow::Times::kDepartureOnly);
  EXPECT_EQ(first.minutes, std::vector<int>{14 * 60 + 10});
  EXPECT_EQ(line(58),
            "  |     |     |  0.000 |_|/  OSTUVIA            | 16.15         |   |  /   |         "
            "          |");
  EXPECT_NE(std::find(lines.begin() + 17, lines.begin() + 58,
                      "  |  85 |  85 |          |  Km.103,220          |               |   |  /   "
                      "|                   |"),
            lines.begin() + 58);
  for (std::size_t i = 1; i < rows.size(); ++i) {
    EXPECT_LT(rows[i].any_km(), rows[i - 1].any_km()) << "line " << i + 18;
  }
  // Only the two ends carry a departure or an arrival alone.
  for (std::size_t i = 1; i + 1 < rows.size(); ++i) {
    EXPECT_NE(rows[i].times, RouteRow::Times::kDepartureOnly) << "line " << i + 18;
    EXPECT_NE(rows[i].times, RouteRow::Times::kArrivalOnly) << "line " << i + 18;
  }
}

TEST_F(TimetableCard, StationsAreTheTrainStationsWithItsTimes) {
  const Train train = embedded_train();
  const Progressive progressive = embedded_progressive();
  std::vector<RouteRow> stations;
  std::vector<int> all_minutes;
  for (const RouteRow& row : route_rows()) {
    if (row.km) stations.push_back(row);
    all_minutes.insert(all_minutes.end(), row.minutes.begin(), row.minutes.end());
  }
  EXPECT_TRUE(std::is_sorted(all_minutes.begin(), all_minutes.end()));
  ASSERT_EQ(stations.size(), train.stations.size());
  for (std::size_t i = 0; i < stations.size(); ++i) {
    const Station& s = train.stations[i];
    const RouteRow& row = stations[i];
    SCOPED_TRACE(s.name);
    EXPECT_TRUE(abbreviates(row.place, s.name)) << row.place;
    // The printed kilometre is the station's place on the route, to within one 50 m cell.
    EXPECT_LE(std::abs(*row.km - progressive.at(s.position)), 50) << *row.km;
    ASSERT_FALSE(row.minutes.empty());
    const int departure = s.hours * 60 + s.minutes;
    if (i == 0) {
      EXPECT_EQ(row.times, RouteRow::Times::kDepartureOnly);
    } else if (i + 1 == stations.size()) {
      EXPECT_EQ(row.times, RouteRow::Times::kArrivalOnly);
    } else if (s.stop != 0) {
      EXPECT_EQ(row.times, RouteRow::Times::kArrivalDeparture);
    } else {
      EXPECT_EQ(row.times, RouteRow::Times::kPassing);
    }
    if (departure != 0) {
      EXPECT_EQ(row.minutes.back(), departure);
    }
  }
  EXPECT_EQ(stations.back().km.value_or(-1), 0);
  EXPECT_EQ(stations.back().place, "OSTUVIA");
}

TEST_F(TimetableCard, SpeedsAreTheTrainSpeedLimitsInPlace) {
  // Speed changes the card names by a kilometre of its own.
  const std::map<int, int> printed_km = {{34150, 103220}, {17900, 119436}};
  const Train train = embedded_train();
  const Progressive progressive = embedded_progressive();
  const std::vector<RouteRow> rows = route_rows();
  std::vector<std::size_t> with_speed;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].speed != 0) with_speed.push_back(i);
  }
  ASSERT_EQ(with_speed.size(), train.limits.size());
  for (std::size_t k = 0; k < with_speed.size(); ++k) {
    const std::size_t i = with_speed[k];
    const RouteRow& row = rows[i];
    const SpeedLimit& limit = train.limits[k];
    SCOPED_TRACE("line " + std::to_string(i + 18));
    EXPECT_EQ(row.speed, limit.speed);
    const int change = progressive.at(limit.position);
    if (row.point_km) {
      const auto own = printed_km.find(limit.position);
      EXPECT_EQ(*row.point_km, own == printed_km.end() ? change : own->second);
    } else {
      // On a station row: the change lies between the rows before and after it.
      const int before = i == 0 ? std::numeric_limits<int>::max() : rows[i - 1].any_km();
      const int after = i + 1 == rows.size() ? -1 : rows[i + 1].any_km();
      EXPECT_TRUE(before > change && change > after) << change;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Slowdown order

struct OrderRow {
  int number = 0;
  std::string from, to;
  int km = -1, speed = -1, length = -1;
  std::string prescriptions;
  std::vector<std::string> problems;
};

OrderRow read_order_row(const std::string& l) {
  static const std::regex number_form(R"( ([0-9]{2}))");
  static const std::regex first_form(R"(([A-Z](?:[A-Z. ]*[A-Z.])?) +)");
  static const std::regex second_form(R"(([A-Z](?:[A-Z. ]*[A-Z.])?) *)");
  static const std::regex km_form(R"( *((?:0|[1-9][0-9]*)\.[0-9]{3}))");
  static const std::regex whole_form(R"( *([1-9][0-9]*))");
  static const std::regex speed_form(R"(([1-9][0-9]*) *)");
  static const std::regex letters_form(R"(([A-Z](?:-[A-Z])*) *)");
  OrderRow row;
  auto& problems = row.problems;
  if (l.size() != 82) {
    problems.push_back("length " + std::to_string(l.size()));
    return row;
  }
  const auto cell = [&](std::size_t at, std::size_t n, const std::regex& form, const char* what) {
    const auto value = match(l.substr(at, n), form);
    if (!value) problems.push_back(std::string(what) + " \"" + l.substr(at, n) + "\"");
    return value.value_or("");
  };
  const auto blank_at = [&](std::size_t at, std::size_t n) {
    if (!blank(l.substr(at, n))) problems.push_back("not blank at " + std::to_string(at));
  };
  const auto number = cell(2, 3, number_form, "number");
  row.number = number.empty() ? -1 : std::stoi(number);
  blank_at(6, 1);
  row.from = cell(7, 15, first_form, "first station");
  row.to = cell(22, 12, second_form, "second station");
  const auto km = cell(35, 9, km_form, "kilometre");
  row.km = km.empty() ? -1 : metres_of(km);
  blank_at(44, 3);
  blank_at(48, 3);
  const auto speed = cell(51, 7, speed_form, "speed");
  row.speed = speed.empty() ? -1 : std::stoi(speed);
  const auto length = cell(59, 5, whole_form, "length");
  row.length = length.empty() ? -1 : std::stoi(length);
  blank_at(64, 4);
  row.prescriptions = cell(69, 12, letters_form, "prescriptions");
  if (row.from.size() > 12 || row.to.size() > 12)
    problems.emplace_back("a name over 12 characters");
  return row;
}

class SlowdownOrder : public ::testing::Test {
 protected:
  void SetUp() override {
    lines = crlf_lines(written(kOrder));
    ASSERT_EQ(lines.size(), 43u);
  }
  const std::string& line(int number) const { return lines.at(number - 1); }

  std::vector<std::string> lines;
};

TEST_F(SlowdownOrder, FixedLinesStandAsPrinted) {
  const std::string heading_rule =
      " |___|____________________________|____________|__________|_________|____________|";
  const std::string stars =
      " | * |* * * * * * * * * * * * * * |* * * * * * |* * * * * |* * * * *|* * * * * * |";
  std::map<int, std::string> printed = {
      {1, ""},
      {2, "                               Modulo M. 3"},
      {3, "                           ORDINE DI RALLENTAMENTO"},
      {4, " " + std::string(80, '_')},
      {5, "  Linea  BRENZANO C.LE-OSTUVIA C.LE"},
      {6, ""},
      {7, "  Si ordina al macchinista del treno 4417/4418 di effettuare i seguenti rallentamenti"},
      {8, "  " + std::string(79, '_')},
      {9, " |   |                            |Inizio dopo |          |         |            |"},
      {10, " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|"},
      {11, " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |"},
      {12, heading_rule},
      {16, stars},
      {17, stars},
      {35, heading_rule},
      {36, ""},
      {37, "              Prescrizioni specifiche"},
      {38, " A - Da rispettare con tutto il treno (per i treni viaggiatori)"},
      {39, " B - Interessa anche la stazione di......."},
      {40, " D - Rallentamneto N. ... e N. ...  sono contigui"},
      {41, " C - Da rispettare dalle ore ....  alle ore ..... di tutti"},
      {42, "     i giorni esclusi i seguenti:........."},
      {43, " H - RALLENTAMENTO SPROVVISTO DI TAVOLE DI ORIENTAMENTO CUI O.S.10/97."},
  };
  for (int n = 18; n <= 34; ++n) {
    printed[n] =
        " |   |                            |            |          |         |            |";
  }
  for (int n = 1; n <= 43; ++n) {
    if (n >= 13 && n <= 15) continue;
    EXPECT_EQ(line(n), printed.at(n)) << "line " << n;
  }
  std::size_t widest = 0;
  for (const std::string& l : lines) widest = std::max(widest, l.size());
  EXPECT_EQ(widest, 85u);
}

TEST_F(SlowdownOrder, EveryTableLineHasItsBarsAndWidth) {
  for (int n = 9; n <= 35; ++n) {
    EXPECT_EQ(line(n).size(), 82u) << "line " << n;
    EXPECT_EQ(line(n)[0], ' ') << "line " << n;
    EXPECT_EQ(bars_of(line(n)), (std::set<std::size_t>{1, 5, 34, 47, 58, 68, 81})) << "line " << n;
  }
  for (int n = 13; n <= 15; ++n) {
    const OrderRow row = read_order_row(line(n));
    EXPECT_TRUE(row.problems.empty())
        << "line " << n << ": " << ::testing::PrintToString(row.problems) << "\n"
        << line(n);
  }
}

TEST_F(SlowdownOrder, RowsAreTheTrainSlowdowns) {
  struct Printed {
    int km, speed, length;
    const char* prescriptions;
  };
  const Printed printed[] = {
      {110158, 30, 50, "A-H"}, {73532, 60, 500, "A-H"}, {65050, 50, 200, "A"}};
  const Train train = embedded_train();
  const Progressive progressive = embedded_progressive();
  ASSERT_EQ(train.slowdowns.size(), 3u);
  std::set<char> legend;
  for (int n = 38; n <= 43; ++n) {
    if (line(n).size() > 4 && line(n).substr(2, 3) == " - ") legend.insert(line(n)[1]);
  }
  EXPECT_EQ(legend, (std::set<char>{'A', 'B', 'C', 'D', 'H'}));
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE("line " + std::to_string(13 + k));
    const OrderRow row = read_order_row(line(13 + k));
    const Slowdown& s = train.slowdowns[k];
    EXPECT_EQ(row.number, k + 1);
    EXPECT_EQ(row.km, printed[k].km);
    EXPECT_EQ(row.speed, printed[k].speed);
    EXPECT_EQ(row.length, printed[k].length);
    EXPECT_EQ(row.prescriptions, printed[k].prescriptions);
    EXPECT_EQ(row.speed, s.v);
    EXPECT_EQ(row.length, s.l);
    for (std::size_t c = 0; c < row.prescriptions.size(); c += 2) {
      EXPECT_TRUE(legend.contains(row.prescriptions[c])) << row.prescriptions;
    }
    // The two stations are those the slowdown lies between, and so is its kilometre post.
    const auto after = std::find_if(train.stations.begin(), train.stations.end(),
                                    [&](const Station& t) { return t.position >= s.x + s.l; });
    ASSERT_TRUE(after != train.stations.begin() && after != train.stations.end());
    const Station& before = *(after - 1);
    EXPECT_LE(before.position, s.x);
    EXPECT_TRUE(abbreviates(row.from, before.name)) << row.from << " / " << before.name;
    EXPECT_TRUE(abbreviates(row.to, after->name)) << row.to << " / " << after->name;
    EXPECT_TRUE(progressive.at(before.position) > row.km &&
                row.km > progressive.at(after->position))
        << row.km;
  }
}

// ---------------------------------------------------------------------------------------------
// Route notes

class RouteNotes : public ::testing::Test {
 protected:
  void SetUp() override {
    bytes = written(kNotes);
    lines = crlf_lines(bytes);
    ASSERT_EQ(lines.size(), 30u);
  }
  const std::string& line(int number) const { return lines.at(number - 1); }

  std::string bytes;
  std::vector<std::string> lines;
};

TEST_F(RouteNotes, LinesFollowTheLayout) {
  const std::map<int, std::string> printed = {
      {2, "Linea Brenzano C.le-Ostuvia C.le"},    {3, ""},  {16, ""}, {17, "Treno Simulato:"},
      {18, "R 4417/4418 Brenzano C.-Ostuvia C."}, {25, ""}, {29, ""}, {30, " "},
  };
  for (int n = 1; n <= 30; ++n) {
    SCOPED_TRACE("line " + std::to_string(n));
    const std::string& l = line(n);
    EXPECT_LE(l.size(), 331u);
    if (printed.contains(n)) {
      EXPECT_EQ(l, printed.at(n));
    } else if (n == 1) {
      EXPECT_TRUE(l.starts_with("      Regione ") && l.size() > 14 && l[14] != ' ') << l;
    } else if (n >= 26) {
      const std::size_t indent = l.find_first_not_of(' ');
      EXPECT_TRUE(indent == 1 || indent == 2) << l;
    } else {
      EXPECT_TRUE(!l.empty() && l[0] != ' ') << "prose expected: \"" << l << "\"";
    }
  }
  // The longest line is written whole, without a break.
  const auto longest = std::max_element(
      lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.size() < b.size(); });
  EXPECT_EQ(longest->size(), 331u);
}

TEST_F(RouteNotes, RegionIsTheCardRegion) {
  const std::vector<std::string> card = crlf_lines(written(kCard));
  ASSERT_EQ(card.size(), 61u);
  std::string region = card[4].substr(7, 14);
  region.erase(region.find_last_not_of(' ') + 1);
  std::string notes_region = line(1).substr(std::min<std::size_t>(14, line(1).size()));
  std::transform(notes_region.begin(), notes_region.end(), notes_region.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  EXPECT_EQ(notes_region, region);
}

TEST_F(RouteNotes, AccentedLettersAreSingleBytes) {
  for (const char letter : {'\xE0', '\xE8', '\xEC', '\xF2', '\xF9'}) {
    EXPECT_NE(bytes.find(letter), std::string::npos)
        << std::hex << static_cast<int>(static_cast<unsigned char>(letter));
  }
  EXPECT_EQ(bytes.find('\xC3'), std::string::npos);  // no UTF-8 left over
}

TEST_F(RouteNotes, BridgeCautionIsTheCardSpeedRow) {
  static const std::regex km(R"(km ([0-9]+,[0-9]{3}))");
  std::smatch m;
  ASSERT_TRUE(std::regex_search(line(7), m, km)) << line(7);
  EXPECT_NE(line(7).find("85 km/h"), std::string::npos);
  const std::vector<std::string> card = crlf_lines(written(kCard));
  const std::string row_start = "  |  85 |  85 |          |  Km." + m[1].str() + " ";
  EXPECT_TRUE(std::any_of(card.begin(), card.end(), [&](const std::string& l) {
    return l.starts_with(row_start);
  })) << row_start;
}

}  // namespace
}  // namespace tracciato
