#include "commands/lsp/row_reference.h"

#include <algorithm>
#include <array>

#include "compile/row_kinds.h"

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
  const RowKind* (*kind_of)(std::string_view) = section == kLineGeneral   ? general_kind
                                                : section == kLineObjects ? object_kind
                                                                          : train_kind;
  const RowKind* kind = kind_of(keyword);
  if (kind == nullptr) return nullptr;
  const auto rows = rows_of(section);
  const auto row = std::find_if(rows.begin(), rows.end(),
                                [&](const RowInfo& r) { return r.keyword == kind->keyword; });
  return row == rows.end() ? nullptr : &*row;
}

}  // namespace tracciato::lsp
