#include "format/dump_decoder.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tracciato {
namespace {

using Bytes = std::vector<std::uint8_t>;

// 87 cleared records, record 85 replaced by the layout's worked example: text "abc",
// record_word_1 610, record_time 33756.
Bytes example_header() {
  Bytes bytes(std::size_t{85} * 34, 0);
  const Bytes example = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                         0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x61, 0x62, 0x63, 0x62,
                         0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                         0x00, 0x00, 0x00, 0xDC, 0x83, 0x00, 0x00};
  bytes.insert(bytes.end(), example.begin(), example.end());
  bytes.resize(bytes.size() + 34, 0);
  return bytes;
}

// Three metres: the seeds (0, 0) and (0, 1) as 16-bit integers, then an empty metre.
Bytes small_geometry() {
  return {2, 0, 0, 0, 2, 0, 0, 0, 0, 0, 2, 0, 0, 0, 2, 0, 1, 0, 0, 0};
}

std::vector<DecodedRecord> all_records(const Bytes& bytes) {
  RecordReader reader(bytes);
  std::vector<DecodedRecord> records;
  for (DecodedRecord r; reader.next(r);) records.push_back(r);
  return records;
}

TEST(DumpDecoder, HeaderRecordsFollowTheLayout) {
  const auto records = all_records(example_header());
  ASSERT_EQ(records.size(), 87u);
  const DecodedRecord& r = records[85];
  EXPECT_EQ(r.index, 85);
  EXPECT_EQ(r.offset, 85u * 34);
  EXPECT_EQ(r.record.record_text, "abc");
  EXPECT_EQ(r.record.record_word_1, 610);
  EXPECT_EQ(r.record.record_time, 33756);
  EXPECT_EQ(records[86].offset, 85u * 34 + 37);
}

TEST(DumpDecoder, CellsByIndexStraightFromTheBytes) {
  Bytes cells(std::size_t{3} * 15, 0);
  cells[15 + 1] = 0x01, cells[15 + 2] = 0x14;  // cell 1's cell_value 5121
  cells[2 * 15 + 13] = 98;                     // cell 2's cell_gradient
  const CellReader c(cells);
  ASSERT_EQ(c.count(), 3u);
  EXPECT_FALSE(c.damage());
  EXPECT_EQ(c.at(1).cell_value, 5121);
  EXPECT_EQ(c.at(2).cell_gradient, 98);
  EXPECT_EQ(CellReader::offset(2), 30u);
}

// A metre's lateral value and its value along the heading lie `metres` values apart.
TEST(DumpDecoder, PointsPairTheTwoHalvesOfTheValues) {
  const Bytes bytes = small_geometry();
  const GeometryLayout layout = survey_geometry(bytes);
  ASSERT_FALSE(layout.damage);
  EXPECT_EQ(layout.metres, 3u);
  EXPECT_EQ(layout.along_offset, 10u);
  PointReader reader(bytes, layout);
  std::vector<DecodedPoint> points;
  for (DecodedPoint p; reader.next(p);) points.push_back(p);
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points[1].lateral.tag, 2);
  EXPECT_EQ(points[1].along.value, 1.0);
  EXPECT_EQ(points[1].along.offset, 14u);
  EXPECT_EQ(points[2].along.tag, 0);
  PointReader from_one(bytes, layout, 1);
  DecodedPoint first;
  ASSERT_TRUE(from_one.next(first));
  EXPECT_EQ(first.metre, 1u);
  EXPECT_EQ(first.along.value, 1.0);
}

TEST(DumpDecoder, KindComesFromTheName) {
  EXPECT_EQ(compiled_kind_from_name("dir/A_linea.dat"), CompiledKind::kGeometry);
  EXPECT_EQ(compiled_kind_from_name("A_4417.dat"), CompiledKind::kCells);
  EXPECT_EQ(compiled_kind_from_name("A_4417.sim"), CompiledKind::kHeader);
  EXPECT_EQ(compiled_kind_from_name("A_linea.txt"), std::nullopt);
}

struct ContentCase {
  const char* name;
  Bytes bytes;
  std::optional<CompiledKind> kind;
};
void PrintTo(const ContentCase& c, std::ostream* os) {
  *os << c.name;
}

class KindFromContent : public ::testing::TestWithParam<ContentCase> {};

TEST_P(KindFromContent, FollowsTheFormats) {
  EXPECT_EQ(compiled_kind_from_content(GetParam().bytes), GetParam().kind);
}

// Thirteen metres of geometry (two seeds and eleven empty values in each half) are 60
// bytes, a whole number of cells too: the values decide.
Bytes geometry_of_cell_length() {
  Bytes b = {2, 0, 0, 0, 2, 0, 0, 0};
  for (int i = 0; i < 11; ++i) b.insert(b.end(), {0, 0});
  b.insert(b.end(), {2, 0, 0, 0, 2, 0, 1, 0});
  for (int i = 0; i < 11; ++i) b.insert(b.end(), {0, 0});
  return b;
}

INSTANTIATE_TEST_SUITE_P(
    Dump, KindFromContent,
    ::testing::Values(
        ContentCase{"EightySevenRecordsAreAHeader", example_header(), CompiledKind::kHeader},
        ContentCase{"SeededTaggedValuesAreAGeometry", small_geometry(), CompiledKind::kGeometry},
        ContentCase{"GeometryWinsOverCellLength", geometry_of_cell_length(),
                    CompiledKind::kGeometry},
        ContentCase{"WholeCellsAreACellFile", Bytes(45, 0), CompiledKind::kCells},
        ContentCase{"HeaderWithOneByteMoreIsNothing",
                    [] {
                      Bytes b = example_header();
                      b.push_back(0);
                      return b;
                    }(),
                    std::nullopt},
        ContentCase{"EmptyFileIsNothing", {}, std::nullopt},
        ContentCase{"SevenBytesAreNothing", Bytes(7, 1), std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct Damage {
  const char* name;
  CompiledKind kind;
  Bytes bytes;
  std::size_t offset;
  const char* reason;
};
void PrintTo(const Damage& d, std::ostream* os) {
  *os << d.name;
}

class DumpDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(DumpDamage, NamesTheOffset) {
  const auto e = find_damage(GetParam().kind, GetParam().bytes);
  ASSERT_TRUE(e) << "decoded";
  EXPECT_EQ(e->offset(), GetParam().offset) << e->what();
  EXPECT_NE(std::string(e->what()).find(GetParam().reason), std::string::npos) << e->what();
}

Bytes cut(Bytes b, std::size_t length) {
  b.resize(length);
  return b;
}

Bytes with(Bytes b, std::size_t at, std::uint8_t value) {
  b[at] = value;
  return b;
}

INSTANTIATE_TEST_SUITE_P(
    Dump, DumpDamage,
    ::testing::Values(
        Damage{"HeaderEmpty", CompiledKind::kHeader, {}, 0, "record 0's record_kind"},
        Damage{"HeaderCutInText", CompiledKind::kHeader, cut(example_header(), 85 * 34 + 17),
               85 * 34 + 16, "record 85's record_text needs 3 bytes, only 1 left"},
        Damage{"HeaderTooLong", CompiledKind::kHeader,
               [] {
                 Bytes b = example_header();
                 b.push_back(0);
                 return b;
               }(),
               87 * 34 + 3, "wrong length"},
        Damage{"CellsEmpty", CompiledKind::kCells, {}, 0, "wrong length"},
        Damage{"CellsPartial", CompiledKind::kCells, Bytes(2 * 15 + 4, 0), 30, "wrong length"},
        Damage{"GeometryEmpty", CompiledKind::kGeometry, {}, 0, "wrong length"},
        Damage{"GeometryUnknownTag", CompiledKind::kGeometry, with(small_geometry(), 8, 7), 8,
               "unknown geometry tag 7 in value 2"},
        Damage{"GeometryCutInDouble",
               CompiledKind::kGeometry,
               {2, 0, 0, 0, 5, 0, 1, 2, 3},
               6,
               "value 1 (tag 5) needs 8 bytes, only 3 left"},
        Damage{"GeometryOddCount", CompiledKind::kGeometry, cut(small_geometry(), 18), 14,
               "5 values"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tracciato
