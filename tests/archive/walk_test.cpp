// The chunk walk: where it finds chunks, where it stops, what it refuses, and
// that an archive read and written back keeps its bytes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "archive_builder.h"
#include "archive_format.h"
#include "archive_state.h"
#include "archive_writer.h"
#include "chunk_walk.h"
#include "state_helpers.h"

namespace asrkit {
namespace {

using testing::PrintTo;

using testing::AppendLE32;
using testing::Archive;
using testing::Bytes;
using ::testing::HasSubstr;
using testing::PlainChunk;
using testing::ToBytes;

// A heap copy of exactly `bytes.size()` bytes, so that the sanitizer build
// catches any read past the image's end.
class ExactImage {
 public:
  explicit ExactImage(const Bytes& bytes)
      : data_(std::make_unique<std::uint8_t[]>(bytes.size())), size_(bytes.size()) {
    std::copy(bytes.begin(), bytes.end(), data_.get());
  }
  std::span<const std::uint8_t> span() const { return {data_.get(), size_}; }

 private:
  std::unique_ptr<std::uint8_t[]> data_;
  std::size_t size_;
};

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// A chunk header whose length field says `length`, then `body_size` filler bytes.
Bytes RawChunk(std::string_view tag, std::int32_t length, std::size_t body_size) {
  Bytes out = ToBytes(tag);
  AppendLE32(out, length);
  out.resize(out.size() + body_size, 0x5A);
  return out;
}

const Bytes kFirst = PlainChunk("ABCD", 40);
const Bytes kSecond = PlainChunk("EFGH", 16);
const Bytes kTwoChunks = Archive({kFirst, kSecond});  // 68 bytes

struct WalkCase {
  std::string name;
  Bytes image;
  std::vector<std::size_t> offsets;  // where each chunk found starts
  Bytes written;                     // the archive written back from the table
};

class WalkTest : public ::testing::TestWithParam<WalkCase> {};

TEST_P(WalkTest, FindsChunksAndWritesBackWhatItFound) {
  const WalkCase& c = GetParam();
  const ExactImage image(c.image);
  const WalkResult walk = CountChunks(image.span());
  ASSERT_TRUE(walk.status.ok()) << walk.status.message();
  ASSERT_EQ(walk.count, static_cast<std::int32_t>(c.offsets.size()));

  ArchiveState state;
  CopyChunks(image.span(), walk.count, state);
  state.ChunkCount = walk.count;
  state.TableBuilt = true;
  EXPECT_EQ(state.ChunkSizes.size(), c.offsets.size() + 1) << "one spare entry past the last";
  for (std::size_t i = 0; i < c.offsets.size(); ++i) {
    const auto length = static_cast<std::size_t>(ReadLE32(c.image.data() + c.offsets[i] + 4));
    const Bytes expected(c.image.begin() + static_cast<std::ptrdiff_t>(c.offsets[i]),
                         c.image.begin() + static_cast<std::ptrdiff_t>(c.offsets[i] + length));
    EXPECT_EQ(testing::ToVector(ChunkBytes(state, static_cast<std::int32_t>(i))), expected)
        << "chunk " << i;
    EXPECT_EQ(state.ChunkTags[i], TagCode(expected)) << "chunk " << i;
  }

  testing::TempDir dir;
  const std::string out = dir / "out.asr";
  ASSERT_TRUE(SaveArchive(state, out).ok());
  EXPECT_EQ(testing::ReadFile(out), c.written);
}

const Bytes kFirstOnly = Archive({kFirst});

INSTANTIATE_TEST_SUITE_P(
    Ends, WalkTest,
    ::testing::Values(
        WalkCase{"WithTerminator", kTwoChunks, {8, 48}, kTwoChunks},
        WalkCase{
            "WithoutTerminatorGainsOne", Archive({kFirst, kSecond}, false), {8, 48}, kTwoChunks},
        WalkCase{"TrailingBytesDropped",
                 Concat({kTwoChunks, ToBytes("trailing junk")}),
                 {8, 48},
                 kTwoChunks},
        // Only three bytes are looked at: 00 00 00 ends the walk whatever the fourth is.
        WalkCase{"ThreeZeroBytesThenNonzeroStops",
                 Concat({Archive({kFirst}, false), Bytes{0, 0, 0, 7}, kSecond, Bytes(4, 0)}),
                 {8},
                 kFirstOnly},
        // Fewer than four bytes after the chunk: the bound test ends the walk,
        // however nonzero those bytes are.
        WalkCase{"ChunkEndsInLastFourBytes",
                 Concat({Archive({kFirst}, false), ToBytes("xyz")}),
                 {8},
                 kFirstOnly},
        WalkCase{"ChunkEndsAtImageEnd", Archive({kFirst}, false), {8}, kFirstOnly},
        WalkCase{"SmallestChunk",
                 Archive({PlainChunk("TINY", 8)}),
                 {8},
                 Archive({PlainChunk("TINY", 8)})},
        // A tag of 00 00 00 X looks like the end; the walk stops before it.
        WalkCase{"ZeroTagLooksLikeEnd",
                 Concat({Archive({kFirst}, false), RawChunk(std::string_view("\0\0\0X", 4), 16, 8),
                         Bytes(4, 0)}),
                 {8},
                 kFirstOnly}),
    testing::CaseName<WalkCase>);

TEST(TagCodeTest, FirstByteIsMostSignificant) {
  EXPECT_EQ(TagCode(ToBytes("RSCF")), 0x52534346);
  EXPECT_EQ(TagCode(ToBytes("RSCF")), TagRSCF);
  EXPECT_EQ(TagCode(Bytes{0x01, 0x02, 0x03, 0x04}), 0x01020304);
  EXPECT_EQ(TagCode(Bytes{0xFF, 0x00, 0x00, 0x01}), static_cast<std::int32_t>(0xFF000001u))
      << "a high first byte gives a negative code, as held in the table";
}

TEST(TagCodeTest, LengthFieldIsLittleEndian) {
  const Bytes sixteen{0x10, 0x00, 0x00, 0x00};
  EXPECT_EQ(ReadLE32(sixteen.data()), 16);
  const Bytes minus_one{0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(ReadLE32(minus_one.data()), -1);
  Bytes written(4);
  WriteLE32(written.data(), 0x01020304);
  EXPECT_EQ(written, (Bytes{0x04, 0x03, 0x02, 0x01}));
}

TEST(TagCodeTest, TagTextEndsAtNulAndChunkEnd) {
  EXPECT_EQ(TagText(ToBytes("RSCF\x10\0\0\0")), "RSCF");
  EXPECT_EQ(TagText(Bytes{'A', 'B', 0, 'D'}), "AB");
  EXPECT_EQ(TagText(ToBytes("XY")), "XY");
  EXPECT_EQ(TagText(Bytes{}), "");
}

TEST(TagCodeTest, CopiedChunkKeepsTagAndLength) {
  const Bytes image = Archive({testing::Chunk("RSCF", Bytes(8, 1))});
  ArchiveState state;
  CopyChunks(image, 1, state);
  EXPECT_EQ(state.ChunkTags[0], TagRSCF);
  EXPECT_EQ(state.ChunkSizes[0], 16);
}

struct MalformedCase {
  std::string name;
  Bytes image;
  std::int32_t chunk;   // 1-based number of the chunk refused
  std::int64_t offset;  // where it starts
};

class MalformedWalkTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedWalkTest, RefusedWithChunkNumberAndOffset) {
  const MalformedCase& c = GetParam();
  const ExactImage image(c.image);
  const WalkResult walk = CountChunks(image.span());
  ASSERT_FALSE(walk.status.ok());
  EXPECT_EQ(walk.status.kind(), ErrorKind::kMalformed);
  EXPECT_EQ(walk.count, 0);
  EXPECT_THAT(walk.status.message(), HasSubstr("chunk " + std::to_string(c.chunk) + " "));
  EXPECT_THAT(walk.status.message(), HasSubstr("offset " + std::to_string(c.offset)));
}

const Bytes kHeader = ToBytes("Asura   ");

INSTANTIATE_TEST_SUITE_P(
    Lengths, MalformedWalkTest,
    ::testing::Values(
        MalformedCase{"LengthZero", Concat({kHeader, RawChunk("ZERO", 0, 24), Bytes(4, 0)}), 1, 8},
        MalformedCase{"LengthNegative",
                      Concat({kHeader, kFirst, RawChunk("NEGA", -8, 24), Bytes(4, 0)}), 2, 48},
        MalformedCase{"LengthMinimumInt",
                      Concat({kHeader, RawChunk("MINI", INT32_MIN, 24), Bytes(4, 0)}), 1, 8},
        MalformedCase{"LengthSeven", Concat({kHeader, RawChunk("SEVN", 7, 24), Bytes(4, 0)}), 1, 8},
        MalformedCase{"ChunkPastEnd",
                      Concat({kHeader, kFirst, RawChunk("LONG", 1000, 8), Bytes(4, 0)}), 2, 48},
        MalformedCase{"ChunkPastEndByOne", Concat({kHeader, RawChunk("LONG", 41, 32)}), 1, 8},
        MalformedCase{"LengthMaximumInt",
                      Concat({kHeader, RawChunk("HUGE", INT32_MAX, 8), Bytes(4, 0)}), 1, 8},
        // Five bytes after the first chunk pass the end test but hold no 8-byte header.
        MalformedCase{"HeaderPastEnd", Concat({kHeader, kFirst, ToBytes("XYZW"), Bytes{1}}), 2, 48},
        MalformedCase{"NoChunkOnlyTerminator", Concat({kHeader, Bytes(4, 0)}), 1, 8},
        MalformedCase{"NoChunkHeaderOnly", kHeader, 1, 8}),
    testing::CaseName<MalformedCase>);

TEST(RoundTripTest, OpenedArchiveSavedElsewhereIsTheSameFile) {
  testing::TempDir dir;
  const Bytes original =
      Archive({testing::ResourceChunk("textures\\rock.tga", testing::Payload("DDS ", 64), {9, 9}),
               PlainChunk("HEAD", 8), PlainChunk("DATA", 1001),
               testing::ResourceChunk("", testing::Payload("RIFF", 13))});
  ArchiveState state;
  testing::OpenBytes(state, dir, original);
  ASSERT_EQ(state.ChunkCount, 4);
  const std::string copy = dir / "copy.asr";
  ASSERT_TRUE(SaveArchive(state, copy).ok());
  EXPECT_EQ(testing::ReadFile(copy), original);
}

}  // namespace
}  // namespace asrkit
