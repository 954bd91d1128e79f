#include "compile/row_kinds.h"

#include <array>

#include "textio/keyword.h"

namespace tracciato {

namespace {

constexpr std::array<RowKind, 9> kGeneralKinds = {{
    {"lunghezza percorso", "route length row"},
    {"progressiva chilometrica uno", "kilometric progressive row"},
    {"progressiva chilometrica due", "kilometric progressive row"},
    {"progressiva chilometrica tre", "kilometric progressive row"},
    {"sfondo uno", "background row"},
    {"sfondo due", "background row"},
    {"sfondo tre", "background row"},
    {"ripetizione segnali 4 codici", "signal-repetition row"},
    {"ripetizione segnali 9 codici", "signal-repetition row"},
}};

constexpr std::array<RowKind, 16> kObjectKinds = {{
    {"pendenza", "gradient row"},
    {"montagna", "mountain row"},
    {"indicatori_vmax", "speed board row"},
    {"cartello_indicatore", "signboard row"},
    {"curvad1", "curve row"},
    {"curvad2", "curve row"},
    {"curvad3", "curve row"},
    {"curvad4", "curve row"},
    {"curvad5", "curve row"},
    {"curvad6", "curve row"},
    {"curvas1", "curve row"},
    {"curvas2", "curve row"},
    {"curvas3", "curve row"},
    {"curvas4", "curve row"},
    {"curvas5", "curve row"},
    {"curvas6", "curve row"},
}};

constexpr std::array<RowKind, 10> kTrainKinds = {{
    {"percentuale massa frenata", "braked mass row"},
    {"numero vetture", "cars row"},
    {"velocita", "speed limit row"},
    {"aderenza", "adhesion row"},
    {"orologio", "clock row"},
    {"sabbia", "sand row"},
    {"segnale", "signal row"},
    {"rallentamento", "slowdown row"},
    {"abbattimento", "code drop row"},
    {"stazione", "station row"},
}};

}  // namespace

const RowKind* general_kind(std::string_view keyword) {
  if (contains_any_case(keyword, "percorso") && contains_any_case(keyword, "lunghezza")) {
    return kGeneralKinds.data();
  }
  if (contains_exact(keyword, "progressiva")) return &kGeneralKinds[1];
  if (contains_exact(keyword, "sfondo")) return &kGeneralKinds[4];
  if (contains_exact(keyword, "segnali") && contains_exact(keyword, "ripetizione"))
    return &kGeneralKinds[7];
  return nullptr;
}

// Curve rows count even when no geometry is built: they are expected then.
const RowKind* object_kind(std::string_view keyword) {
  if (contains_any_case(keyword, "pendenza")) return kObjectKinds.data();
  if (contains_any_case(keyword, "curva")) return &kObjectKinds[4];
  if (contains_any_case(keyword, "montagna")) return &kObjectKinds[1];
  if (contains_any_case(keyword, "indicatori_v")) return &kObjectKinds[2];
  if (contains_any_case(keyword, "indicat") && contains_any_case(keyword, "cartello"))
    return &kObjectKinds[3];
  return nullptr;
}

// The first kind the keyword names; a row may name several, and each then reads its
// fields in turn.
const RowKind* train_kind(std::string_view keyword) {
  static constexpr std::array<std::string_view, kTrainKinds.size()> kWords = {
      "frenata", "vetture", "velocit",       "aderenza",     "orologio",
      "sabbia",  "segnale", "rallentamento", "abbattimento", "stazione"};
  for (std::size_t i = 0; i < kWords.size(); ++i) {
    if (contains_any_case(keyword, kWords[i]) && (i != 0 || contains_any_case(keyword, "massa"))) {
      return &kTrainKinds[i];
    }
  }
  return nullptr;
}

std::span<const RowKind> general_kinds() {
  return kGeneralKinds;
}
std::span<const RowKind> object_kinds() {
  return kObjectKinds;
}
std::span<const RowKind> train_kinds() {
  return kTrainKinds;
}

}  // namespace tracciato
