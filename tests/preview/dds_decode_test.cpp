// Decoded pixels checked against ImageMagick's own decode of the files it
// wrote, and against hand-made textures in the formats it does not write.
#include "dds_decode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "archive_builder.h"
#include "dds_builder.h"
#include "external_tools.h"
#include "table_cases.h"

namespace asrkit::testing {
namespace {

using preview::DdsEncoding;
using preview::DecodeDds;

struct MagickCase {
  const char* name;
  std::string make;  // convert arguments that draw the picture and choose the DDS flavour
  std::uint32_t width;
  std::uint32_t height;
  const char* format;
  std::uint32_t mips;
  int tolerance;  // per channel: what the block format's rounding allows
};

// A red-to-blue ramp whose alpha falls from left to right.
const std::string kAlphaRamp =
    "-size 64x32 gradient:red-blue '(' -size 32x64 gradient:white-black -rotate 90 ')' "
    "-alpha off -compose CopyOpacity -composite";

class MagickDecodeTest : public ::testing::TestWithParam<MagickCase> {};

TEST_P(MagickDecodeTest, MatchesImageMagicksDecode) {
  ASRKIT_REQUIRE_TOOL("convert");
  const MagickCase& c = GetParam();
  TempDir dir;
  const std::string dds = dir / "a.dds";
  const std::string raw = dir / "a.raw";
  ASSERT_TRUE(RunTool("convert " + c.make + " " + dds)) << c.make;
  ASSERT_TRUE(RunTool("convert '" + dds + "[0]' -depth 8 rgba:" + raw));

  const Bytes payload = ReadFile(dds);
  const auto decoded = DecodeDds(payload);
  ASSERT_TRUE(decoded.status.ok()) << decoded.status.message();
  EXPECT_EQ(decoded.header.width, c.width);
  EXPECT_EQ(decoded.header.height, c.height);
  EXPECT_EQ(decoded.header.format, c.format);
  EXPECT_EQ(decoded.header.mip_count, c.mips);

  const Bytes expected = ReadFile(raw);
  ASSERT_EQ(decoded.image.pixels.size(), expected.size());
  int worst = 0;
  std::size_t worst_at = 0;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const int diff = std::abs(int{decoded.image.pixels[i]} - int{expected[i]});
    if (diff > worst) worst = diff, worst_at = i;
  }
  EXPECT_LE(worst, c.tolerance) << "pixel " << worst_at / 4 << " channel " << worst_at % 4;
}

INSTANTIATE_TEST_SUITE_P(
    ImageMagickFiles, MagickDecodeTest,
    ::testing::Values(
        MagickCase{"Dxt1", "-size 64x32 gradient:red-blue -define dds:compression=dxt1", 64, 32,
                   "DXT1", 7, 2},
        MagickCase{"Dxt1NoMipmaps",
                   "-size 64x32 gradient:red-blue -define dds:compression=dxt1 "
                   "-define dds:mipmaps=0",
                   64, 32, "DXT1", 1, 2},
        MagickCase{"Dxt5Alpha", kAlphaRamp + " -define dds:compression=dxt5", 64, 32, "DXT5", 7, 2},
        MagickCase{"Dxt5OpaqueAlphaOn",
                   "-size 64x32 gradient:red-blue -alpha on -define dds:compression=dxt5", 64, 32,
                   "DXT5", 7, 2},
        // Sizes that are not whole blocks: the last blocks are cut.
        MagickCase{"Dxt5PartialBlocks",
                   "-size 30x18 gradient:yellow-navy -swirl 120 -alpha on "
                   "-define dds:compression=dxt5 -define dds:mipmaps=0",
                   30, 18, "DXT5", 1, 2},
        MagickCase{"UncompressedAlpha", kAlphaRamp + " -define dds:compression=none", 64, 32,
                   "A8R8G8B8", 7, 0},
        MagickCase{"UncompressedRgb",
                   "-size 64x32 gradient:red-blue -swirl 90 -define dds:compression=none "
                   "-define dds:mipmaps=0",
                   64, 32, "R8G8B8", 1, 0}),
    kCaseName);

// Formats ImageMagick does not write, made by hand: two pixels each.
struct MaskCase {
  const char* name;
  DdsLayout layout;
  Bytes data;
  const char* format;
  Bytes rgba;
};

class MaskDecodeTest : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskDecodeTest, DecodesByChannelMasks) {
  const MaskCase& c = GetParam();
  const auto decoded = DecodeDds(DdsPayload(c.layout, c.data));
  ASSERT_TRUE(decoded.status.ok()) << decoded.status.message();
  EXPECT_EQ(decoded.header.format, c.format);
  EXPECT_EQ(decoded.header.encoding, DdsEncoding::kMasks);
  EXPECT_EQ(decoded.image.pixels, c.rgba);
}

INSTANTIATE_TEST_SUITE_P(
    HandMade, MaskDecodeTest,
    ::testing::Values(
        MaskCase{"R5G6B5",
                 {.bit_count = 16, .masks = {0xF800, 0x07E0, 0x001F, 0}},
                 {0x00, 0xF8, 0x10, 0x84},
                 "R5G6B5",
                 {255, 0, 0, 255, 132, 130, 132, 255}},
        MaskCase{"A1R5G5B5",
                 {.pixel_flags = kDdpfRgb | kDdpfAlphaPixels,
                  .bit_count = 16,
                  .masks = {0x7C00, 0x03E0, 0x001F, 0x8000}},
                 {0x1F, 0x80, 0xE0, 0x03},
                 "A1R5G5B5",
                 {0, 0, 255, 255, 0, 255, 0, 0}},
        MaskCase{"L8",
                 {.pixel_flags = kDdpfLuminance, .bit_count = 8, .masks = {0xFF, 0, 0, 0}},
                 {0x7F, 0xFF},
                 "L8",
                 {127, 127, 127, 255, 255, 255, 255, 255}},
        MaskCase{"A8L8",
                 {.pixel_flags = kDdpfLuminance | kDdpfAlphaPixels,
                  .bit_count = 16,
                  .masks = {0xFF, 0, 0, 0xFF00}},
                 {0x40, 0x80, 0x00, 0xFF},
                 "A8L8",
                 {64, 64, 64, 128, 0, 0, 0, 255}},
        MaskCase{"A8",
                 {.pixel_flags = kDdpfAlpha, .bit_count = 8, .masks = {0, 0, 0, 0xFF}},
                 {0x00, 0x99},
                 "A8",
                 {0, 0, 0, 0, 0, 0, 0, 0x99}},
        // An alpha mask without the alpha flag is not alpha.
        MaskCase{"X8B8G8R8",
                 {.bit_count = 32, .masks = {0xFF, 0xFF00, 0xFF0000, 0xFF000000}},
                 {1, 2, 3, 4, 5, 6, 7, 8},
                 "X8B8G8R8",
                 {1, 2, 3, 255, 5, 6, 7, 255}},
        MaskCase{"Dx10Rgba",
                 {.dxgi = 28},
                 {1, 2, 3, 4, 5, 6, 7, 8},
                 "DX10 R8G8B8A8_UNORM",
                 {1, 2, 3, 4, 5, 6, 7, 8}},
        MaskCase{"Dx10Bgrx",
                 {.dxgi = 88},
                 {1, 2, 3, 4, 5, 6, 7, 8},
                 "DX10 B8G8R8X8_UNORM",
                 {3, 2, 1, 255, 7, 6, 5, 255}}),
    kCaseName);

// ImageMagick writes no DXT3; one hand-made block shows its explicit alpha:
// pixel i has alpha i * 17 over a solid red.
TEST(BlockDecodeTest, Dxt3TakesAlphaFromItsFourBitValues) {
  Bytes block;
  for (int i = 0; i < 16; i += 2) block.push_back(static_cast<std::uint8_t>(i | (i + 1) << 4));
  for (std::uint8_t b : {0x00, 0xF8, 0x1F, 0x00, 0x00, 0x00, 0x00, 0x00}) block.push_back(b);
  const auto decoded = DecodeDds(
      DdsPayload({.width = 4, .height = 4, .pixel_flags = kDdpfFourCc, .four_cc = "DXT3"}, block));
  ASSERT_TRUE(decoded.status.ok()) << decoded.status.message();
  Bytes expected;
  for (int i = 0; i < 16; ++i) {
    for (int v : {255, 0, 0, i * 17}) expected.push_back(static_cast<std::uint8_t>(v));
  }
  EXPECT_EQ(decoded.image.pixels, expected);
}

// Well formed, but not a format we decode: the facts are there, pixels are not.
struct UnsupportedCase {
  const char* name;
  DdsLayout layout;
  const char* format;
};

class UnsupportedDdsTest : public ::testing::TestWithParam<UnsupportedCase> {};

TEST_P(UnsupportedDdsTest, GivesFactsAndSaysItCannotDecode) {
  const UnsupportedCase& c = GetParam();
  const auto decoded = DecodeDds(DdsPayload(c.layout, Bytes(256)));
  EXPECT_EQ(decoded.status.kind(), ErrorKind::kUnsupported);
  EXPECT_EQ(decoded.status.message(), std::string("cannot decode ") + c.format);
  EXPECT_EQ(decoded.header.format, c.format);
  EXPECT_EQ(decoded.header.width, 8u);
  EXPECT_EQ(decoded.header.mip_count, 4u);
  EXPECT_TRUE(decoded.image.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Formats, UnsupportedDdsTest,
    ::testing::Values(
        UnsupportedCase{"Bc7", {.width = 8, .height = 8, .mips = 4, .dxgi = 98}, "DX10 BC7_UNORM"},
        UnsupportedCase{
            "UnknownDxgi", {.width = 8, .height = 8, .mips = 4, .dxgi = 2}, "DX10 format 2"},
        UnsupportedCase{
            "Ati2",
            {.width = 8, .height = 8, .mips = 4, .pixel_flags = kDdpfFourCc, .four_cc = "ATI2"},
            "ATI2"},
        UnsupportedCase{
            "TwelveBitPixels",
            {.width = 8, .height = 8, .mips = 4, .bit_count = 12, .masks = {0xF00, 0xF0, 0xF, 0}},
            "R4G4B4"}),
    kCaseName);

}  // namespace
}  // namespace asrkit::testing
