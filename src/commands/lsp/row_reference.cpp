#include "commands/lsp/row_reference.h"

#include <array>

#include "textio/keyword.h"

namespace tracciato::lsp {

namespace {

constexpr std::array kRouteLengthFields = {FieldInfo{"route length", "m"}};
constexpr std::array kProgressiveFields = {FieldInfo{"start", "m"},
                                           FieldInfo{"kilometre at the start", "m"},
                                           FieldInfo{"decreasing (1) or increasing (0)", ""}};
constexpr std::array kBackgroundFields = {FieldInfo{"background", ""}};
constexpr std::array kRepetitionFields = {FieldInfo{"first distance", "m"},
                                          FieldInfo{"second distance", "m"}};
constexpr std::array kGradientFields = {FieldInfo{"position", "m"}, FieldInfo{"gradient", "‰"}};
constexpr std::array kCurveFields = {FieldInfo{"start", "m"}, FieldInfo{"length", "m"}};
constexpr std::array kMountainFields = {FieldInfo{"start", "m"}, FieldInfo{"end", "m"},
                                        FieldInfo{"kind", ""}};
constexpr std::array kSpeedBoardFields = {
    FieldInfo{"position", "m"},         FieldInfo{"left speed a", "km/h"},
    FieldInfo{"left speed b", "km/h"},  FieldInfo{"left speed c", "km/h"},
    FieldInfo{"left stripes", ""},      FieldInfo{"right speed a", "km/h"},
    FieldInfo{"right speed b", "km/h"}, FieldInfo{"right speed c", "km/h"},
    FieldInfo{"right stripes", ""}};
constexpr std::array kSignboardFields = {FieldInfo{"position", "m"}, FieldInfo{"text", ""}};
constexpr std::array kPercentageFields = {FieldInfo{"braked mass", "%"}};
constexpr std::array kCarsFields = {FieldInfo{"cars", ""}};
constexpr std::array kSpeedFields = {FieldInfo{"position", "m"}, FieldInfo{"speed limit", "km/h"}};
constexpr std::array kAdhesionFields = {FieldInfo{"position", "m"}, FieldInfo{"adhesion", ""}};
constexpr std::array kClockFields = {FieldInfo{"hours", "h"}, FieldInfo{"minutes", "min"},
                                     FieldInfo{"seconds", "s"}};
constexpr std::array kSandFields = {FieldInfo{"sand", ""}};
constexpr std::array kSignalFields = {
    FieldInfo{"position", "m"},     FieldInfo{"left aspect", ""},   FieldInfo{"left digit 1", ""},
    FieldInfo{"left digit 2", ""},  FieldInfo{"left digit 3", ""},  FieldInfo{"rapp", ""},
    FieldInfo{"right aspect", ""},  FieldInfo{"right digit 1", ""}, FieldInfo{"right digit 2", ""},
    FieldInfo{"right digit 3", ""}, FieldInfo{"timer", "s"}};
constexpr std::array kSlowdownFields = {FieldInfo{"start", "m"},
                                        FieldInfo{"speed", "km/h"},
                                        FieldInfo{"length", "m"},
                                        FieldInfo{"f_tt", ""},
                                        FieldInfo{"f_ta (advance cells)", ""},
                                        FieldInfo{"d_v", ""}};
constexpr std::array kCodeDropFields = {FieldInfo{"position", "m"}, FieldInfo{"code", ""}};
constexpr std::array kStationFields = {FieldInfo{"position", "m"},
                                       FieldInfo{"kind", ""},
                                       FieldInfo{"platform length", "m"},
                                       FieldInfo{"flag", ""},
                                       FieldInfo{"long platform", ""},
                                       FieldInfo{"end extension", ""},
                                       FieldInfo{"station value 1", ""},
                                       FieldInfo{"station value 2", ""},
                                       FieldInfo{"station value 3", ""},
                                       FieldInfo{"station value 4", ""},
                                       FieldInfo{"station value 5", ""},
                                       FieldInfo{"station value 6", ""},
                                       FieldInfo{"stop", ""},
                                       FieldInfo{"departure hours", "h"},
                                       FieldInfo{"departure minutes", "min"},
                                       FieldInfo{"departure seconds", "s"},
                                       FieldInfo{"name", ""}};

using enum Section;
using enum Symbol;
using enum Placement;

constexpr std::array kGeneralRows = {
    RowInfo{"lunghezza percorso", "route length row", kLineGeneral, kRouteLengthFields, kNowhere,
            kNone},
    RowInfo{"progressiva chilometrica uno", "kilometric progressive row", kLineGeneral,
            kProgressiveFields, kNowhere, kNone},
    RowInfo{"progressiva chilometrica due", "kilometric progressive row", kLineGeneral,
            kProgressiveFields, kNowhere, kNone},
    RowInfo{"progressiva chilometrica tre", "kilometric progressive row", kLineGeneral,
            kProgressiveFields, kNowhere, kNone},
    RowInfo{"sfondo uno", "background row", kLineGeneral, kBackgroundFields, kNowhere, kNone},
    RowInfo{"sfondo due", "background row", kLineGeneral, kBackgroundFields, kNowhere, kNone},
    RowInfo{"sfondo tre", "background row", kLineGeneral, kBackgroundFields, kNowhere, kNone},
    RowInfo{"ripetizione segnali 4 codici", "signal-repetition row", kLineGeneral,
            kRepetitionFields, kNowhere, kNone},
    RowInfo{"ripetizione segnali 9 codici", "signal-repetition row", kLineGeneral,
            kRepetitionFields, kNowhere, kNone},
};

constexpr std::array kObjectRows = {
    RowInfo{"pendenza", "gradient row", kLineObjects, kGradientFields, kRun, kNone},
    RowInfo{"montagna", "mountain row", kLineObjects, kMountainFields, kRun, kNone},
    RowInfo{"indicatori_vmax", "speed board row", kLineObjects, kSpeedBoardFields, kPoint, kNone},
    RowInfo{"cartello_indicatore", "signboard row", kLineObjects, kSignboardFields, kPoint,
            kSignboard},
    RowInfo{"curvad1", "curve row", kLineObjects, kCurveFields, kGeometry, kCurve},
    RowInfo{"curvad2", "curve row", kLineObjects, kCurveFields, kGeometry, kCurve},
    RowInfo{"curvad3", "curve row", kLineObjects, kCurveFields, kGeometry, kCurve},
    RowInfo{"curvad4", "curve row", kLineObjects, kCurveFields, kGeometry, kCurve},
    RowInfo{"curvad5", "curve row", kLineObjects, kCurveFields, kGeometry, kCurve},
    RowInfo{"curvad6", "curve row", kLineObjects, kCurveFields, kGeometry, kCurve},
    RowInfo{"curvas1", "curve row", kLineObjects, kCurveFields, kGeometry, kCurve},
    RowInfo{"curvas2", "curve row", kLineObjects, kCurveFields, kGeometry, kCurve},
    RowInfo{"curvas3", "curve row", kLineObjects, kCurveFields, kGeometry, kCurve},
    RowInfo{"curvas4", "curve row", kLineObjects, kCurveFields, kGeometry, kCurve},
    RowInfo{"curvas5", "curve row", kLineObjects, kCurveFields, kGeometry, kCurve},
    RowInfo{"curvas6", "curve row", kLineObjects, kCurveFields, kGeometry, kCurve},
};

constexpr std::array kTrainRows = {
    RowInfo{"percentuale massa frenata", "braked mass row", kTrain, kPercentageFields, kNowhere,
            kNone},
    RowInfo{"numero vetture", "cars row", kTrain, kCarsFields, kNowhere, kNone},
    RowInfo{"velocita", "speed limit row", kTrain, kSpeedFields, kRun, kNone},
    RowInfo{"aderenza", "adhesion row", kTrain, kAdhesionFields, kRun, kNone},
    RowInfo{"orologio", "clock row", kTrain, kClockFields, kNowhere, kNone},
    RowInfo{"sabbia", "sand row", kTrain, kSandFields, kNowhere, kNone},
    RowInfo{"segnale", "signal row", kTrain, kSignalFields, kPoint, kSignal},
    RowInfo{"rallentamento", "slowdown row", kTrain, kSlowdownFields, kPoint, kSlowdown},
    RowInfo{"abbattimento", "code drop row", kTrain, kCodeDropFields, kPoint, kNone},
    RowInfo{"stazione", "station row", kTrain, kStationFields, kPoint, kStation},
};

// The numbered rows: "uno", "due" or "tre" picks one of three kinds from `first` on.
const RowInfo* numbered(std::string_view k, std::size_t first) {
  constexpr std::array<std::string_view, 3> kNumbers = {"uno", "due", "tre"};
  for (std::size_t i = 0; i < kNumbers.size(); ++i)
    if (contains_exact(k, kNumbers[i])) return &kGeneralRows[first + i];
  return &kGeneralRows[first];
}

const RowInfo* general_row(std::string_view k) {
  if (contains_any_case(k, "percorso") && contains_any_case(k, "lunghezza"))
    return kGeneralRows.data();
  if (contains_exact(k, "progressiva")) return numbered(k, 1);
  if (contains_exact(k, "sfondo")) return numbered(k, 4);
  if (contains_exact(k, "segnali") && contains_exact(k, "ripetizione"))
    return &kGeneralRows[contains_exact(k, "9") ? 8 : 7];
  return nullptr;
}

const RowInfo* object_row(std::string_view k) {
  if (contains_any_case(k, "pendenza")) return kObjectRows.data();
  if (contains_any_case(k, "curva")) return &kObjectRows[4];
  if (contains_any_case(k, "montagna")) return &kObjectRows[1];
  if (contains_any_case(k, "indicatori_v")) return &kObjectRows[2];
  if (contains_any_case(k, "indicat") && contains_any_case(k, "cartello")) return &kObjectRows[3];
  return nullptr;
}

const RowInfo* train_row(std::string_view k) {
  static constexpr std::array<std::string_view, kTrainRows.size()> kWords = {
      "frenata", "vetture", "velocit",       "aderenza",     "orologio",
      "sabbia",  "segnale", "rallentamento", "abbattimento", "stazione"};
  for (std::size_t i = 0; i < kWords.size(); ++i) {
    if (contains_any_case(k, kWords[i]) && (i != 0 || contains_any_case(k, "massa")))
      return &kTrainRows[i];
  }
  return nullptr;
}

}  // namespace

std::span<const RowInfo> rows_of(Section section) {
  switch (section) {
    case kLineGeneral:
      return kGeneralRows;
    case kLineObjects:
      return kObjectRows;
    case kTrain:
      return kTrainRows;
  }
  return {};
}

const RowInfo* row_named(std::string_view keyword, Section section) {
  switch (section) {
    case kLineGeneral:
      return general_row(keyword);
    case kLineObjects:
      return object_row(keyword);
    case kTrain:
      return train_row(keyword);
  }
  return nullptr;
}

}  // namespace tracciato::lsp
