#include "testing/error_fixtures.h"

#include "testing/descriptions.h"

namespace tracciato::test_support {

namespace {

const std::string kTrain = train_description({"velocita,  0,  30", "velocita,  900,  80"});

std::string train_with(const std::string& row) {
  return train_description({"velocita,  0,  30", row});
}

std::string station(int position, int kind, int length) {
  return "stazione,  " + std::to_string(position) + ",  " + std::to_string(kind) + ",  " +
         std::to_string(length) + ",  0, 0, 0,  1,1,0,  2,1,1,    0,  14,10, 0, S";
}

const std::string kSignal = "segnale,  1950,   1, 4, 1,  0, 0,    0,  0,0,0, 0";

std::vector<ErrorFixture> make() {
  const std::string board = "indicatori_vmax,  900,  60,  80,  80,  0,  ,  ,  ,  0";
  std::vector<std::string> many_signboards;
  many_signboards.reserve(78);
  for (int i = 0; i < 78; ++i) {
    many_signboards.push_back("cartello_indicatore,  " + std::to_string(1000 + 100 * i) + ", (X)");
  }
  return {
      {"NoGeneralSection", crlf({"lunghezza percorso, 1000", "[fine]"}), kTrain, 102, ""},
      {"RouteTooLong", line_description({}, 1000001), kTrain, 1, "1000001"},
      {"RepetitionFirst",
       line_description_with({"lunghezza percorso, 10000", "ripetizione segnali 4, 1025, 0"}, {}),
       kTrain, 3, "1025"},
      {"RepetitionSecond",
       line_description_with({"lunghezza percorso, 10000", "ripetizione segnali 4, 1000, 30"}, {}),
       kTrain, 4, "30"},
      {"RepetitionCodes",
       line_description_with({"lunghezza percorso, 10000", "ripetizione segnali, 0, 0"}, {}),
       kTrain, 5, "ripetizione segnali"},
      {"CurveClass", line_description({"curvas7, 300, 100"}), kTrain, 103, "curvas7"},
      {"SignboardOnBoard", line_description({board, "cartello_indicatore, 900, (F)"}), kTrain, 6,
       "900"},
      {"BoardOnSignboard", line_description({"cartello_indicatore, 900, (F)", board}), kTrain, 21,
       "900"},
      {"LineBeyondRoute", line_description({"pendenza, 99000, 2"}), kTrain, 15, "99000"},
      {"TrainBeyondRoute", line_description({}), train_with("velocita, 99000, 50"), 15, "99000"},
      {"LineBeyondThenSignal", line_description({"pendenza, 99000, 2"}), train_with(kSignal), 15,
       "99000"},
      {"SignalOnSignal", line_description({}), train_description({kSignal, kSignal}), 16, "1950"},
      {"SlowdownWarning",
       line_description({"indicatori_vmax,  2800,  60,  0,  0,  0,  ,  ,  ,  0"}),
       train_with("rallentamento,  4000,  50,  200, 1,  0,  0"), 17, "4000"},
      {"SlowdownStart", line_description({"indicatori_vmax,  4000,  60,  0,  0,  0,  ,  ,  ,  0"}),
       train_with("rallentamento,  4000,  50,  200, 1,  0,  0"), 18, "4000"},
      {"SlowdownEnd", line_description({"indicatori_vmax,  4200,  60,  0,  0,  0,  ,  ,  ,  0"}),
       train_with("rallentamento,  4000,  50,  200, 1,  0,  0"), 19, "4000"},
      {"SlowdownAdvance",
       line_description({"indicatori_vmax,  2750,  60,  0,  0,  0,  ,  ,  ,  0"}),
       train_with("rallentamento,  4000,  50,  200, 1,  1,  0"), 20, "4000"},
      {"CodeDropOnSignal", line_description({}),
       train_description({kSignal, "abbattimento,  2000,  75"}), 7, "2000"},
      {"StationOffGrid", line_description({}), train_with(station(75, 2, 200)), 8, "75"},
      {"PlatformLength", line_description({}), train_with(station(1000, 2, 250)), 9, "250"},
      {"StationTooEarly", line_description({}), train_with(station(0, 2, 200)), 24, "0"},
      {"StationsTooClose", line_description({}),
       train_description({station(1000, 2, 200), station(1400, 2, 200)}), 22, "1400"},
      {"TooManyStations", line_description(many_signboards, 20000),
       train_with(station(1000, 2, 200)), 10, "stazione"},
      {"ProgressiveOffGrid",
       line_description_with(
           {"lunghezza percorso, 10000", "progressiva chilometrica uno, 0, 10025, 0"}, {}),
       kTrain, 2, "10025"},
      {"BadNumber", line_description({"pendenza, 4x0, 2"}), kTrain, 25, "4x0"},
      {"EmptyTrain", line_description({}), "", 25, ""},
      {"BandOccupied",
       line_description({"indicatori_vmax,  3650,  60,  0,  0,  0,  ,  ,  ,  0",
                         "indicatori_vmax,  3700,  60,  0,  0,  0,  ,  ,  ,  0",
                         "indicatori_vmax,  3750,  60,  0,  0,  0,  ,  ,  ,  0"}),
       train_with("rallentamento,  4000,  50,  200, 1,  0,  0"), 12, "4000"},
      {"LookBackOccupied",
       line_description({"indicatori_vmax,  1850,  60,  0,  0,  0,  ,  ,  ,  0",
                         "indicatori_vmax,  1900,  60,  0,  0,  0,  ,  ,  ,  0"}),
       train_description({kSignal, "rallentamento,  4000,  50,  200, 1,  0,  0"}), 11, "4000"},
      {"EndSearchOccupied",
       line_description({"indicatori_vmax,  4250,  60,  0,  0,  0,  ,  ,  ,  0",
                         "indicatori_vmax,  4300,  60,  0,  0,  0,  ,  ,  ,  0"}),
       train_description({"rallentamento,  4000,  50,  200, 1,  0,  0",
                          "segnale,  4350,   1, 4, 1,  0, 0,    0,  0,0,0, 0"}),
       13, "4000"},
      {"StampTaken", line_description({}), train_with("rallentamento,  0,  50,  200, 1,  0,  0"),
       1250, "0"},
      {"CompetitionCodeTaken", line_description({}),
       train_with("rallentamento,  0,  0,  200, 1,  0,  7"), 1251, "0"},
  };
}

}  // namespace

const std::vector<ErrorFixture>& error_fixtures() {
  static const std::vector<ErrorFixture> fixtures = make();
  return fixtures;
}

}  // namespace tracciato::test_support
