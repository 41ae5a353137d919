// Headers that are cut short or lie: the facts that could be read, an error
// that names the fault, and no read outside the payload (the sanitizer build
// catches any; each payload is a buffer of exactly its size).
#include "dds_header.h"

#include <gtest/gtest.h>

#include <string>

#include "archive_builder.h"
#include "dds_builder.h"
#include "dds_decode.h"
#include "table_cases.h"

namespace asrkit::testing {
namespace {

using preview::DdsFactsLine;
using preview::DecodeDds;
using preview::ReadDdsHeader;

Bytes Dxt1(std::uint32_t width, std::uint32_t height, std::size_t data_bytes) {
  return DdsPayload(
      {.width = width, .height = height, .pixel_flags = kDdpfFourCc, .four_cc = "DXT1"},
      Bytes(data_bytes));
}

Bytes Prefix(Bytes bytes, std::size_t size) {
  bytes.resize(size);
  return bytes;
}

struct BadHeaderCase {
  const char* name;
  Bytes payload;
  std::string error;  // the message, in full
  std::uint32_t width;
  std::uint32_t height;
  std::string format;
};

class BadHeaderTest : public ::testing::TestWithParam<BadHeaderCase> {};

TEST_P(BadHeaderTest, ReportsWhatCouldBeReadAndWhy) {
  const BadHeaderCase& c = GetParam();
  const auto decoded = DecodeDds(c.payload);
  EXPECT_EQ(decoded.status.kind(), ErrorKind::kMalformed);
  EXPECT_EQ(decoded.status.message(), c.error);
  EXPECT_EQ(decoded.header.width, c.width);
  EXPECT_EQ(decoded.header.height, c.height);
  EXPECT_EQ(decoded.header.format, c.format);
  EXPECT_TRUE(decoded.image.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Payloads, BadHeaderTest,
    ::testing::Values(
        BadHeaderCase{"Empty", {}, "not a DDS texture: it does not start with \"DDS \"", 0, 0, ""},
        BadHeaderCase{"OtherSignature", ToBytes(std::string_view("RIFF\x24\0\0\0WAVE", 12)),
                      "not a DDS texture: it does not start with \"DDS \"", 0, 0, ""},
        BadHeaderCase{"MagicOnly", ToBytes("DDS "), "DDS header cut short: 4 bytes of 128 bytes", 0,
                      0, ""},
        BadHeaderCase{"CutAfterSize", Prefix(Dxt1(64, 32, 1024), 20),
                      "DDS header cut short: 20 bytes of 128 bytes", 64, 32, ""},
        BadHeaderCase{"CutInPixelFormat", Prefix(Dxt1(64, 32, 1024), 90),
                      "DDS header cut short: 90 bytes of 128 bytes", 64, 32, ""},
        BadHeaderCase{"Dx10HeaderCut", Prefix(DdsPayload({.dxgi = 98}, {}), 140),
                      "DX10 header cut short: 140 bytes of 148 bytes", 2, 1, "DX10"},
        BadHeaderCase{"ZeroWidth", Dxt1(0, 32, 1024),
                      "texture size 0 x 32 is not between 1 and 32768", 0, 32, "DXT1"},
        BadHeaderCase{"HugeHeight", Dxt1(64, 0x80000000u, 1024),
                      "texture size 64 x 2147483648 is not between 1 and 32768", 64, 0x80000000u,
                      "DXT1"},
        // 64 x 32 DXT1 is 16 x 8 blocks of 8 bytes.
        BadHeaderCase{"TopLevelOneByteShort", Dxt1(64, 32, 1023),
                      "texture data cut short: the top level needs 1024 bytes, the payload holds "
                      "1023 bytes",
                      64, 32, "DXT1"},
        BadHeaderCase{"SizesThatOverflow32Bits", Dxt1(32768, 32768, 16),
                      "texture data cut short: the top level needs 536870912 bytes, the payload "
                      "holds 16 bytes",
                      32768, 32768, "DXT1"},
        BadHeaderCase{
            "UncompressedShort",
            DdsPayload(
                {.width = 3, .height = 3, .bit_count = 24, .masks = {0xFF0000, 0xFF00, 0xFF, 0}},
                Bytes(26)),
            "texture data cut short: the top level needs 27 bytes, the payload holds 26 "
            "bytes",
            3, 3, "R8G8B8"}),
    kCaseName);

TEST(DdsTruncationTest, EveryPrefixOfATextureIsRefusedAndOnlyTheWholeDecodes) {
  const Bytes whole = SmallDxt5();
  for (std::size_t size = 0; size < whole.size(); ++size) {
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    const auto decoded = DecodeDds(cut);
    EXPECT_EQ(decoded.status.kind(), ErrorKind::kMalformed) << size << " bytes";
    EXPECT_TRUE(decoded.image.empty()) << size << " bytes";
  }
  const auto decoded = DecodeDds(whole);
  EXPECT_TRUE(decoded.status.ok()) << decoded.status.message();
  EXPECT_EQ(decoded.image.pixels.size(), 8u * 8u * 4u);
}

TEST(DdsHeaderTest, BytesAfterTheTopLevelAreLeftForTheMipmaps) {
  Bytes payload = SmallDxt5();
  payload.resize(payload.size() + 100, 0xEE);
  const auto header = ReadDdsHeader(payload);
  EXPECT_TRUE(header.status.ok()) << header.status.message();
  EXPECT_EQ(header.data_offset, 128u);
  EXPECT_EQ(header.top_level_size, 64u);
}

struct FactsLineCase {
  const char* name;
  Bytes payload;
  std::string line;
};

class DdsFactsLineTest : public ::testing::TestWithParam<FactsLineCase> {};

TEST_P(DdsFactsLineTest, ShowsWhatIsKnown) {
  EXPECT_EQ(DdsFactsLine(ReadDdsHeader(GetParam().payload)), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, DdsFactsLineTest,
    ::testing::Values(
        FactsLineCase{"Whole", SmallDxt5(), "Texture: 8 x 8, DXT5, 1 mip level"},
        FactsLineCase{"Mipmaps", DdsPayload({.width = 64, .height = 32, .mips = 7, .dxgi = 98}, {}),
                      "Texture: 64 x 32, DX10 BC7_UNORM, 7 mip levels"},
        // Writers that make no mipmaps often leave the count at zero.
        FactsLineCase{"ZeroMipCount", DdsPayload({.mips = 0, .dxgi = 28}, Bytes(8)),
                      "Texture: 2 x 1, DX10 R8G8B8A8_UNORM, 1 mip level"},
        FactsLineCase{"CutShort", Prefix(SmallDxt5(), 14),
                      "Texture: ? x ?, unknown format, ? mip levels"}),
    kCaseName);

}  // namespace
}  // namespace asrkit::testing
