// The info lines of each kind of chunk in an opened archive.
#include "chunk_info.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive_builder.h"
#include "archive_state.h"
#include "dds_builder.h"
#include "open_archive.h"
#include "table_cases.h"
#include "wav_builder.h"

namespace asrkit::testing {
namespace {

using preview::DescribeChunk;
using preview::ResourcePayload;

using Lines = std::vector<std::string>;

Bytes WithPayloadSize(Bytes chunk, std::int32_t size) {
  for (int i = 0; i < 4; ++i) {
    chunk[24 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(size >> (8 * i));
  }
  return chunk;
}

Lines Header(std::int32_t number, const char* tag, std::size_t size) {
  const auto n = std::to_string(size);
  return {"Chunk " + std::to_string(number) + " of 6", std::string("Tag: ") + tag,
          "Length field: " + n, "Size: " + n + " bytes"};
}

Lines operator+(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct InfoCase {
  const char* name;
  Bytes chunk;
  Lines lines;  // after the four header lines
};

const Bytes kSound = Wav({.channels = 2}, std::vector<std::int16_t>(20, 5));
const Bytes kBc7 = DdsPayload({.width = 8, .height = 8, .mips = 4, .dxgi = 98}, Bytes(64));
const Bytes kCutTexture = [] {
  Bytes texture = SmallDxt5();
  texture.pop_back();
  return texture;
}();

const InfoCase kCases[] = {
    {"Texture",
     ResourceChunk("tex\\a.tga", SmallDxt5()),
     {"Resource name: tex\\a.tga", "Kind: DDS File", "Payload: 192 bytes at offset 38",
      "Texture: 8 x 8, DXT5, 1 mip level"}},
    {"Sound",
     ResourceChunk("snd.wav", kSound),
     {"Resource name: snd.wav", "Kind: WAV File", "Payload: 84 bytes at offset 36",
      "Sound: 2 channels, 8000 Hz, 16 bits, 10 frames, 0.001 s"}},
    {"TextureWeCannotDecode",
     ResourceChunk("bc7.dds", kBc7),
     {"Resource name: bc7.dds", "Kind: DDS File", "Payload: 212 bytes at offset 36",
      "Texture: 8 x 8, DX10 BC7_UNORM, 4 mip levels", "Error: cannot decode DX10 BC7_UNORM"}},
    {"TextureCutShort",
     ResourceChunk("cut.dds", kCutTexture),
     {"Resource name: cut.dds", "Kind: DDS File", "Payload: 191 bytes at offset 36",
      "Texture: 8 x 8, DXT5, 1 mip level",
      "Error: texture data cut short: the top level needs 64 bytes, the payload holds 63 bytes"}},
    {"NotAResource", PlainChunk("TXTH", 20), {}},
    {"PayloadSizeTooLarge",
     WithPayloadSize(ResourceChunk("x", Bytes(4)), 9999),
     {"Resource name: x", "Kind: File ",
      "Error: Resource chunk 6 is malformed: payload size 9999 does not fit a chunk of 34 bytes"}},
};

class ChunkInfoTest : public ::testing::TestWithParam<std::size_t> {
 protected:
  void SetUp() override {
    std::vector<Bytes> chunks;
    for (const InfoCase& c : kCases) chunks.push_back(c.chunk);
    const std::string path = dir_ / "level1.asr";
    WriteFile(path, Archive(chunks));
    const Status status = OpenArchive(state_, path);
    ASSERT_TRUE(status.ok()) << status.message();
  }
  TempDir dir_;
  ArchiveState state_;
};

TEST_P(ChunkInfoTest, ListsHeaderResourceAndPayloadFacts) {
  const std::size_t i = GetParam();
  const InfoCase& c = kCases[i];
  const auto info = DescribeChunk(state_, static_cast<std::int32_t>(i));
  ASSERT_TRUE(info.status.ok()) << info.status.message();
  EXPECT_EQ(
      info.lines,
      Header(static_cast<std::int32_t>(i + 1), i == 4 ? "TXTH" : "RSCF", c.chunk.size()) + c.lines);
}

INSTANTIATE_TEST_SUITE_P(Chunks, ChunkInfoTest, ::testing::Range<std::size_t>(0, std::size(kCases)),
                         [](const auto& info) { return std::string(kCases[info.param].name); });

TEST_F(ChunkInfoTest, ChunkNumbersOutsideTheTableGiveNoLines) {
  for (const std::int32_t index : {-1, 6, 1000}) {
    const auto info = DescribeChunk(state_, index);
    EXPECT_EQ(info.status.kind(), ErrorKind::kOutOfRange) << index;
    EXPECT_TRUE(info.lines.empty()) << index;
  }
}

TEST_F(ChunkInfoTest, ResourcePayloadIsThePayloadOfWellFormedResourcesOnly) {
  const auto payload = ResourcePayload(state_, 0);
  EXPECT_EQ(Bytes(payload.begin(), payload.end()), SmallDxt5());
  EXPECT_TRUE(ResourcePayload(state_, 4).empty());  // not a resource
  EXPECT_TRUE(ResourcePayload(state_, 5).empty());  // payload size too large
  EXPECT_TRUE(ResourcePayload(state_, 6).empty());  // out of range
}

}  // namespace
}  // namespace asrkit::testing
