// The hex view's lines, and its limit.
#include "hex_dump.h"

#include <gtest/gtest.h>

#include <string>

#include "archive_builder.h"
#include "table_cases.h"

namespace asrkit::testing {
namespace {

using preview::DumpHex;
using preview::FormatHexLine;

TEST(HexDumpTest, ShowsOffsetHexAndTextAlignedOnAShortLastLine) {
  Bytes bytes = ToBytes("RSCF");
  for (int i = 0; i < 16; ++i) bytes.push_back(static_cast<std::uint8_t>(0x7C + i));
  const auto dump = DumpHex(bytes);
  ASSERT_EQ(dump.lines.size(), 2u);
  EXPECT_EQ(dump.total, 20u);
  EXPECT_EQ(FormatHexLine(dump.lines[0]),
            "00000000  52 53 43 46 7c 7d 7e 7f  80 81 82 83 84 85 86 87  RSCF|}~.........");
  EXPECT_EQ(FormatHexLine(dump.lines[1]),
            "00000010  88 89 8a 8b" + std::string(37 + 2, ' ') + "....");
}

struct LimitCase {
  const char* name;
  std::size_t size;
  std::size_t lines;
  std::uint32_t last_offset;
};

class HexDumpLimitTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(HexDumpLimitTest, StopsAt64KiB) {
  const auto dump = DumpHex(Bytes(GetParam().size, 0x41));
  EXPECT_EQ(dump.total, GetParam().size);
  ASSERT_EQ(dump.lines.size(), GetParam().lines);
  if (!dump.lines.empty()) {
    EXPECT_EQ(dump.lines.back().offset, GetParam().last_offset);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, HexDumpLimitTest,
                         ::testing::Values(LimitCase{"Empty", 0, 0, 0},
                                           LimitCase{"OneByte", 1, 1, 0},
                                           LimitCase{"JustUnder", 65535, 4096, 65520},
                                           LimitCase{"Exactly", 65536, 4096, 65520},
                                           LimitCase{"Over", 70000, 4096, 65520}),
                         kCaseName);

}  // namespace
}  // namespace asrkit::testing
