#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <span>
#include <string>
#include <vector>

// Random valid description pairs for round trips through the compile: every row kind of
// both descriptions, with the awkward cases a compile must still turn into bytes (curves
// that overlap or start behind the plan drawn, values that wrap, positions off the 50 m
// grid, objects at the route's ends, mountains close together, code rows).
namespace tracciato::test_support {

// Where the choices come from: a seeded generator, or a fuzzer's bytes.
class Choices {
 public:
  virtual ~Choices() = default;
  // A number from 0 to `bound` - 1; 0 for a bound of 0.
  virtual std::uint32_t below(std::uint32_t bound) = 0;
  std::int64_t between(std::int64_t low, std::int64_t high) {
    return low + below(static_cast<std::uint32_t>(high - low + 1));
  }
  bool one_in(std::uint32_t n) { return below(n) == 0; }
};

class SeededChoices final : public Choices {
 public:
  explicit SeededChoices(std::uint32_t seed) : engine_(seed) {}
  std::uint32_t below(std::uint32_t bound) override {
    return bound == 0 ? 0 : static_cast<std::uint32_t>(engine_() % bound);
  }

 private:
  std::mt19937 engine_;
};

// Takes the bytes in turn; once they run out, every choice is 0.
class ByteChoices final : public Choices {
 public:
  explicit ByteChoices(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint32_t below(std::uint32_t bound) override {
    if (bound == 0) return 0;
    std::uint32_t v = 0;
    for (int i = 0; i < 3 && at_ < bytes_.size(); ++i) v = v << 8 | bytes_[at_++];
    return v % bound;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

struct RandomPair {
  std::string line;  // Windows-1252, CR LF
  std::string train;
  bool geometry = true;
};

namespace random_detail {

inline void row(std::string& out, const std::string& keyword, std::initializer_list<std::int64_t> v,
                const std::string& text = {}, bool with_text = false) {
  out += keyword;
  for (const std::int64_t x : v) out += ",  " + std::to_string(x);
  if (with_text) out += ", " + text;
  out += "\r\n";
}

// The cells objects stand in, so that none is placed where another stands.
class Track {
 public:
  explicit Track(std::int64_t last) : last_(last) {}
  std::int64_t last() const { return last_; }
  bool free(std::int64_t from, std::int64_t to) const {
    if (from < 2 || to > last_) return false;
    const auto it = used_.lower_bound(from);
    return it == used_.end() || *it > to;
  }
  void take(std::int64_t from, std::int64_t to) {
    for (std::int64_t i = from; i <= to; ++i) used_.insert(i);
  }

 private:
  std::int64_t last_;
  std::set<std::int64_t> used_;
};

// A position whose point cell is `cell`, off the grid now and then.
inline std::int64_t point_at(Choices& c, std::int64_t cell) {
  const std::int64_t p = (cell - 1) * 50;
  return c.one_in(4) ? p + c.between(-20, 20) : p;
}

inline const std::vector<std::string>& texts() {
  static const std::vector<std::string> t = {
      "(F)", "(Ponte)",     "(Fine Ponte)", "(P.L.    )(Km 1+452)", "Citt\xe0 - Nord",
      "",    "(Sottovia)  "};
  return t;
}

}  // namespace random_detail

// One random pair that compiles in most cases; the caller compiles it and skips one that
// does not (a crowded track can leave the signal code pass no cell).
inline RandomPair random_pair(Choices& c) {
  using namespace random_detail;
  RandomPair pair;
  pair.geometry = !c.one_in(5);
  const std::int64_t length =
      c.one_in(6) ? c.between(0, 200) * 50 + c.between(0, 49) : c.between(20, 400) * 50;
  const std::int64_t span = length + 7000;
  const auto last = static_cast<std::int64_t>(std::nearbyint(static_cast<double>(span) / 50));
  Track track(last);
  std::string& l = pair.line;
  l = "[generale]\r\n";
  row(l, "lunghezza percorso", {length});
  for (const char* which : {"uno", "due", "tre"}) {
    if (c.one_in(2)) {
      row(l, std::string("progressiva chilometrica ") + which,
          {c.between(0, length / 50) * 50, c.between(0, 4000) * 50, c.between(0, 2)});
    }
  }
  row(l, "sfondo uno", {c.between(-1000, 100000)});
  row(l, "sfondo due", {c.between(0, 3)});
  row(l, "sfondo tre", {c.between(0, 30000)});
  row(l, c.one_in(2) ? "ripetizione segnali 4 codici" : "ripetizione segnali 9 codici",
      {c.between(0, 40) * 50, c.one_in(3) ? 0 : c.between(1, 40) * 50});
  l += "[curve]\r\n";
  std::int64_t drawn = 1;
  while (!c.one_in(4)) {
    const std::int64_t start = c.one_in(4) ? std::max<std::int64_t>(0, drawn - c.between(0, 300))
                                           : drawn + c.between(0, 2000);
    if ((start + 100) / 50 > last) break;
    std::int64_t length_m = c.between(1, 800);
    if (start + length_m > span) length_m = span - start;
    if (c.one_in(8)) length_m = span - start - c.between(0, 2);  // to the plan's last metres
    if (length_m < 0) break;
    row(l, std::string("curva") + (c.one_in(2) ? "s" : "d") + std::to_string(c.between(1, 6)),
        {start, length_m});
    drawn = std::max(drawn, start + length_m);
  }
  l += "[pendenze]\r\n";
  for (std::int64_t p = 0; p <= (last - 2) * 50 && !c.one_in(6); p += c.between(1, 60) * 50) {
    const std::int64_t at = c.one_in(5) ? p + c.between(0, 40) : p;
    row(l, "pendenza", {at, c.one_in(6) ? c.between(-300, 500) : c.between(-30, 30)});
  }
  if (c.one_in(4)) {
    for (int k = c.between(1, 3); k > 0; --k)
      row(l, "pendenza", {(last - 2) * 50, c.between(-100, 155)});
  }
  l += "[montagne]\r\n";
  for (std::int64_t start = c.between(0, 100) * 50, n = 0; n < 12 && !c.one_in(4); ++n) {
    const std::int64_t end = start + c.between(0, 40) * 50 + (c.one_in(5) ? c.between(1, 49) : 0);
    if ((start + 100) / 50 > last || end / 50 > last) break;
    const std::int64_t kinds[] = {1, 2, 3, 11, 12, 13};
    row(l, "montagna", {start, end, kinds[c.below(6)]});
    start = end + (c.one_in(3) ? c.between(0, 3) * 50 : c.between(4, 100) * 50);
  }
  l += "[cartelli]\r\n";
  for (int n = c.between(0, 4); n > 0; --n) {
    const std::int64_t cell = c.one_in(5) ? last - 2 : c.between(2, last - 2);
    if (!track.free(cell, cell)) continue;
    track.take(cell, cell);
    const bool right = c.one_in(3);
    l += "indicatori_vmax,  " + std::to_string(point_at(c, cell));
    for (int k = 0; k < 3; ++k) l += ",  " + std::to_string(c.between(0, 40) * 5);
    l += ",  " + std::to_string(c.between(0, 3));
    for (int k = 0; k < 3; ++k) l += right ? ",  " + std::to_string(c.between(0, 40) * 5) : ",  ";
    l += ",  " + std::to_string(c.between(0, 3)) + "\r\n";
  }
  l += "[indicazioni]\r\n";
  for (int n = c.between(0, 4); n > 0; --n) {
    const std::int64_t cell = c.one_in(5) ? 2 : c.between(2, last - 2);
    if (!track.free(cell, cell)) continue;
    track.take(cell, cell);
    row(l, "cartello_indicatore", {point_at(c, cell)}, texts()[c.below(texts().size())], true);
  }
  l += "[fine]\r\n";

  std::string& t = pair.train;
  t = "[generale]\r\n";
  row(t, "numero vetture", {c.between(1, 12)});
  row(t, "percentuale massa frenata", {c.between(50, 150)});
  row(t, "sabbia", {c.between(0, 200)});
  t += "orologio,    " + std::to_string(c.between(0, 23)) + "    " +
       std::to_string(c.between(0, 59)) + "    " + std::to_string(c.between(0, 59)) + " \r\n";
  t += "[aderenze]\r\n";
  for (std::int64_t p = 0; p <= (last - 2) * 50 && !c.one_in(3); p += c.between(1, 100) * 50) {
    row(t, "aderenza", {p, c.one_in(5) ? c.between(0, 600) : c.between(50, 100)});
  }
  t += "[vel_limite]\r\n";
  for (std::int64_t p = 0; p <= (last - 2) * 50 && !c.one_in(6); p += c.between(1, 100) * 50) {
    row(t, "velocita", {p, c.one_in(5) ? c.between(0, 1275) : c.between(6, 32) * 5});
  }
  t += "[stazioni]\r\n";
  std::int64_t previous_end = -1000000;
  for (int n = c.between(0, 4); n > 0; --n) {
    const std::int64_t kinds[] = {2, 5, 6, 7, 11, 26};
    const std::int64_t kind = kinds[c.below(6)];
    const std::int64_t platform = c.between(2, 8) * 100;
    const std::int64_t at =
        (std::max<std::int64_t>(previous_end + 400 + platform, 400) / 50 + c.between(0, 100)) * 50;
    const std::int64_t start = kind >= 5 && kind <= 8 ? at - platform : at - platform / 2;
    const bool extension = c.one_in(3);
    std::int64_t end = kind == 5 || kind == 6   ? at + 150
                       : kind == 7 || kind == 8 ? at + platform
                                                : at + platform / 2 + (extension ? 50 : 0);
    const std::int64_t marker = end / 50 - 1;
    if ((at + 800) / 50 > last || end / 50 + 1 > last || start - 350 < previous_end ||
        (kind < 25 && !track.free(marker, marker))) {
      break;
    }
    if (kind < 25) track.take(marker, marker);
    previous_end = end;
    row(t, "stazione",
        {at, kind, platform, c.between(0, 1), c.between(0, 1), extension ? 1 : 0, c.between(0, 5),
         1, 0, 2, 1, 1, c.between(0, 60), c.between(0, 23), c.between(0, 59), 0},
        "STAZIONE " + std::to_string(n), true);
  }
  t += "[rallentamenti]\r\n";
  for (int n = c.between(0, 2); n > 0; --n) {
    const std::int64_t a = c.between(10, last - 40);
    const std::int64_t cells = c.between(1, 30);
    const bool advance = c.one_in(2);
    // The slowdown with the room the code pass needs around it.
    if (!track.free(a - 30, a + cells + 14)) continue;
    track.take(a - 30, a + cells + 14);
    row(t, "rallentamento",
        {(a - 1) * 50, c.between(2, 30) * 5, cells * 50, c.between(0, 1), advance ? 1 : 0,
         c.one_in(3) ? c.between(1, 9) : 0});
  }
  t += "[segnali]\r\n";
  for (std::int64_t cell = 10; cell < last - 2 && !c.one_in(8); cell += c.between(3, 60)) {
    if (!track.free(cell, cell)) continue;
    track.take(cell, cell);
    const std::int64_t sx = c.between(1, 2);
    row(t, "segnale",
        {point_at(c, cell), sx, c.between(0, 9), c.between(0, 9), c.between(0, 9),
         c.one_in(6) ? c.between(1, 3) : 0, c.between(0, 2), c.between(0, 9), c.between(0, 9),
         c.between(0, 9), sx == 2 && c.one_in(3) ? c.between(0, 300) : 0});
  }
  t += "[codici]\r\n";
  for (int n = c.between(0, 3); n > 0; --n) {
    const std::int64_t cell = c.between(2, last - 3);
    if (!track.free(cell, cell)) continue;
    track.take(cell, cell);
    const std::int64_t values[] = {0, -5, 180, 250, 75};
    row(t, "abbattimento", {cell * 50, values[c.below(5)]});
  }
  t += "[fine]\r\n";
  return pair;
}

}  // namespace tracciato::test_support
