// PNG bytes read back by ImageMagick give the pixels that went in.
#include "png_write.h"

#include <gtest/gtest.h>

#include <string>

#include "archive_builder.h"
#include "external_tools.h"
#include "table_cases.h"

namespace asrkit::testing {
namespace {

using preview::EncodePng;
using preview::RgbaImage;
using preview::WritePng;

TEST(PngWriteTest, ImageMagickReadsBackEveryPixelWithItsAlpha) {
  ASRKIT_REQUIRE_TOOL("convert");
  RgbaImage image{3, 2, {}};
  for (int i = 0; i < 3 * 2 * 4; ++i) image.pixels.push_back(static_cast<std::uint8_t>(i * 11));
  TempDir dir;
  const std::string png = dir / "a.png";
  const Status status = WritePng(image, png);
  ASSERT_TRUE(status.ok()) << status.message();
  ASSERT_TRUE(RunTool("convert " + png + " -depth 8 rgba:" + (dir / "a.raw")));
  EXPECT_EQ(ReadFile(dir / "a.raw"), image.pixels);
  EXPECT_EQ(Output(dir, "identify -format %wx%h " + png), "3x2");
}

struct BadImageCase {
  const char* name;
  RgbaImage image;
};

class PngRefusalTest : public ::testing::TestWithParam<BadImageCase> {};

TEST_P(PngRefusalTest, RefusesPixelsThatDoNotMatchTheSize) {
  const auto png = EncodePng(GetParam().image);
  EXPECT_FALSE(png.status.ok());
  EXPECT_TRUE(png.bytes.empty());
}

INSTANTIATE_TEST_SUITE_P(Images, PngRefusalTest,
                         ::testing::Values(BadImageCase{"Empty", {}},
                                           BadImageCase{"ZeroWidth", {0, 2, {}}},
                                           BadImageCase{"TooFewPixels", {2, 2, Bytes(15)}},
                                           BadImageCase{"TooManyPixels", {2, 2, Bytes(17)}}),
                         kCaseName);

TEST(PngWriteTest, ReportsAFileThatCannotBeWritten) {
  TempDir dir;
  const Status status = WritePng({1, 1, {1, 2, 3, 4}}, dir / "missing/a.png");
  EXPECT_EQ(status.kind(), ErrorKind::kWriteFailed);
}

}  // namespace
}  // namespace asrkit::testing
