#include "format/compiled_files.h"

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "base/unexpected_failure.h"
#include "model/competition_codes.h"

namespace tracciato {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(CompiledFiles, HeaderRecordIsPackedFieldAfterField) {
  ScenarioHeader h;
  HeaderRecord& r = h.at(0);
  r.record_text = "abc";
  r.record_word_1 = 610;
  r.record_time = 33756;
  const Bytes bytes = encode_header(h);
  const Bytes first(bytes.begin(), bytes.begin() + 37);
  const Bytes expected = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                          0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x61, 0x62, 0x63, 0x62,
                          0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                          0x00, 0x00, 0x00, 0xDC, 0x83, 0x00, 0x00};
  EXPECT_EQ(first, expected);
  EXPECT_EQ(bytes.size(), 87u * 34 + 3);
}

TEST(CompiledFiles, EveryHeaderFieldLandsAtItsOffset) {
  ScenarioHeader h;
  HeaderRecord& r = h.at(0);
  r = {0x01,   0x05040302, -2,     0x0D0C0B0A, 0x0E, "Z",  0x1110, 0x1312,
       0x1514, 0x1716,     0x1918, 0x1A,       0x1B, 0x1C, 0x1D,   0x21201F1E};
  const Bytes bytes = encode_header(h);
  const Bytes expected = {0x01, 0x02, 0x03, 0x04, 0x05, 0xFE, 0xFF, 0xFF, 0xFF, 0x0A, 0x0B, 0x0C,
                          0x0D, 0x0E, 0x01, 0x00, 'Z',  0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16,
                          0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F, 0x20, 0x21};
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 35), expected);
}

TEST(CompiledFiles, CellsAreFifteenBytesInIndexOrder) {
  Scenario s;
  s.cells.allocate(140);  // route length 0
  s.header.at(85).record_text = "abc";
  stamp_header(s);
  TrackCell& c = s.cells.at(2);
  c = {1, 0x0302, 0x0504, 0x0706, -1, 9, 10, 11, 12, 13, 14};
  const Bytes bytes = encode_cells(s.cells);
  ASSERT_EQ(bytes.size(), 2115u);
  EXPECT_EQ(Bytes(bytes.begin() + 15, bytes.begin() + 20), (Bytes{0x00, 0x01, 0x14, 0xF2, 0x09}));
  EXPECT_EQ(Bytes(bytes.begin() + 30, bytes.begin() + 45),
            (Bytes{1, 2, 3, 4, 5, 6, 7, 0xFF, 0xFF, 9, 10, 11, 12, 13, 14}));
}

TEST(CompiledFiles, TextTooLongForItsLengthFieldIsRefused) {
  ScenarioHeader h;
  h.at(80).record_text = std::string(65535, 'x');
  EXPECT_EQ(encode_header(h).size(), 87u * 34 + 65535);
  h.at(80).record_text += 'x';
  EXPECT_THROW(encode_header(h), UnexpectedFailure);
}

TEST(CompiledFiles, NamesFollowBaseNameAndTrainNumber) {
  EXPECT_EQ(geometry_file_name("BrenzanoC_OstuviaC"), "BrenzanoC_OstuviaC_linea.dat");
  EXPECT_EQ(header_file_name("BrenzanoC_OstuviaC", "4417"), "BrenzanoC_OstuviaC_4417.sim");
  EXPECT_EQ(cell_file_name("BrenzanoC_OstuviaC", "4417"), "BrenzanoC_OstuviaC_4417.dat");
}

TEST(CodePage, TextsBecomeOneByteACharacter) {
  EXPECT_EQ(utf8_to_cp1252("Velocità 30°"), "Velocit\xE0 30\xB0");
  EXPECT_EQ(utf8_to_cp1252("€ Š œ"), "\x80 \x8A \x9C");
  EXPECT_EQ(utf8_to_cp1252("日本"), "??");        // outside the code page
  EXPECT_EQ(utf8_to_cp1252("a\xFF\xC3"), "a??");  // malformed sequences
  EXPECT_EQ(cp1252_to_utf8("Localit\xE0 \x80\x81"), "Località €\xEF\xBF\xBD");
}

}  // namespace
}  // namespace tracciato
