// Resource chunks: payload kinds, resource names, and chunks out of shape,
// which every payload command must refuse without reading outside the block.
#include "resource_chunk.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "archive_builder.h"
#include "archive_format.h"
#include "archive_state.h"
#include "payload_file.h"
#include "state_helpers.h"

namespace asrkit {
namespace {

using testing::PrintTo;

using testing::AppendLE32;
using testing::Bytes;
using ::testing::HasSubstr;
using testing::Payload;
using testing::ResourceChunk;
using testing::ToBytes;

// An RSCF chunk laid out by hand: 16 filler bytes, the payload size field
// as given, then `rest` (name, gap and payload, or too little of them).
Bytes RawResource(std::int32_t payload_size, const Bytes& rest) {
  Bytes body(16, 0xAA);
  AppendLE32(body, payload_size);
  body.insert(body.end(), rest.begin(), rest.end());
  return testing::Chunk("RSCF", body);
}

struct KindCase {
  std::string name;
  Bytes payload;
  std::int32_t kind;
};

class PayloadKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(PayloadKindTest, ByFirstFourBytes) {
  const KindCase& c = GetParam();
  ArchiveState state;
  testing::BuildTable(state, {ResourceChunk("a\\b.tga", c.payload)});
  EXPECT_EQ(PayloadSize(state, 0), static_cast<std::int32_t>(c.payload.size()));
  EXPECT_EQ(PayloadOffset(state, 0) + PayloadSize(state, 0), state.ChunkSizes[0])
      << "the payload ends the chunk";
  EXPECT_EQ(PayloadKind(state, 0), c.kind);
}

INSTANTIATE_TEST_SUITE_P(
    Signatures, PayloadKindTest,
    ::testing::Values(KindCase{"Dds", Payload("DDS ", 64), kDdsPayload},
                      KindCase{"DdsSignatureOnly", ToBytes("DDS "), kDdsPayload},
                      KindCase{"DdsLowerCase", Payload("dds ", 64), kOtherPayload},
                      KindCase{"DdsThenNul", Payload(std::string_view("DDS\0", 4), 64),
                               kOtherPayload},
                      KindCase{"DdsThenLetter", Payload("DDSX", 64), kOtherPayload},
                      KindCase{"Riff", Payload("RIFF", 44), kRiffPayload},
                      KindCase{"RiffSignatureOnly", ToBytes("RIFF"), kRiffPayload},
                      KindCase{"RiffLowerCase", Payload("riff", 44), kOtherPayload},
                      KindCase{"ThreeBytesDds", ToBytes("DDS"), kOtherPayload},
                      KindCase{"ThreeBytesRif", ToBytes("RIF"), kOtherPayload},
                      KindCase{"OneByte", ToBytes("D"), kOtherPayload},
                      KindCase{"Empty", {}, kOtherPayload},
                      KindCase{"Other", Payload("OggS", 30), kOtherPayload}),
    testing::CaseName<KindCase>);

// The block holds "DDS " but the table says the chunk ends after "DDS": a test
// that read past the chunk's end would see a DDS payload.
TEST(PayloadKindTest, NeverReadsPastTheChunkEnd) {
  Bytes chunk = RawResource(3, ToBytes(std::string_view("n\0DDS ", 6)));
  ArchiveState state;
  const auto cut = static_cast<std::int32_t>(chunk.size() - 1);
  testing::BuildTable(state, {chunk}, "/nonexistent/", {cut});
  ASSERT_EQ(PayloadOffset(state, 0), cut - 3);
  EXPECT_EQ(PayloadKind(state, 0), kOtherPayload);
}

TEST(PayloadKindTest, TextsAndExtensions) {
  EXPECT_EQ(KindText(kDdsPayload), "DDS File");
  EXPECT_EQ(KindText(kRiffPayload), "WAV File");
  EXPECT_EQ(KindText(kOtherPayload), "File ");
  EXPECT_EQ(KindExtension(kDdsPayload), ".dds");
  EXPECT_EQ(KindExtension(kRiffPayload), ".wav");
  EXPECT_EQ(KindExtension(kOtherPayload), ".bin");
}

struct NameCase {
  std::string name;
  Bytes chunk;
  std::int32_t table_size;  // 0: the chunk's own size
  std::string expected;
};

class ResourceNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(ResourceNameTest, UpToNulWithinBoundAndChunk) {
  const NameCase& c = GetParam();
  ArchiveState state;
  if (c.table_size == 0) {
    testing::BuildTable(state, {c.chunk});
  } else {
    testing::BuildTable(state, {c.chunk}, "/nonexistent/", {c.table_size});
  }
  EXPECT_EQ(ResourceName(state, 0), c.expected);
}

const std::string k255(255, 'n');
const std::string k300(300, 'm');

INSTANTIATE_TEST_SUITE_P(
    Names, ResourceNameTest,
    ::testing::Values(NameCase{"Ordinary", ResourceChunk("textures\\rock.tga", Payload("DDS ", 8)),
                               0, "textures\\rock.tga"},
                      NameCase{"Longest", ResourceChunk(k255, Payload("DDS ", 8)), 0, k255},
                      NameCase{"Empty", ResourceChunk("", Payload("DDS ", 8)), 0, ""},
                      NameCase{"NoNulWithinBound", ResourceChunk(k300, Payload("DDS ", 8)), 0,
                               std::string(256, 'm')},
                      // No NUL before the chunk ends: the name is cut there.
                      NameCase{"NulPastChunkEnd", RawResource(0, ToBytes("abcdef")), 0, "abcdef"},
                      NameCase{"NulPastTableLength",
                               RawResource(0, ToBytes(std::string_view("abcdef\0", 7))), 31, "abc"},
                      NameCase{"ChunkOfTwentyEightBytes", RawResource(0, {}), 0, ""},
                      NameCase{"ChunkTooShortForName", testing::Chunk("RSCF", Bytes(12, 'x')), 0,
                               ""}),
    testing::CaseName<NameCase>);

struct MalformedCase {
  std::string name;
  Bytes chunk;
};

class MalformedResourceTest : public ::testing::TestWithParam<MalformedCase> {
 protected:
  void SetUp() override {
    testing::BuildTable(state_, {GetParam().chunk}, dir_.AsFolder());
    before_ = testing::ToVector(ChunkBytes(state_, 0));
  }
  void ExpectUnchanged() {
    EXPECT_EQ(state_.ChunkSizes[0], static_cast<std::int32_t>(before_.size()));
    EXPECT_EQ(testing::ToVector(ChunkBytes(state_, 0)), before_);
  }
  testing::TempDir dir_;
  ArchiveState state_;
  Bytes before_;
};

TEST_P(MalformedResourceTest, ListedAsOtherKind) {
  EXPECT_FALSE(IsWellFormedResource(state_, 0));
  EXPECT_EQ(PayloadKind(state_, 0), kOtherPayload);
  EXPECT_LE(ResourceName(state_, 0).size(), before_.size());
}

TEST_P(MalformedResourceTest, RefusedByCheck) {
  const Status status = CheckResourceChunk(state_, 0);
  EXPECT_EQ(status.kind(), ErrorKind::kMalformed);
  EXPECT_THAT(status.message(), HasSubstr("chunk 1"));
}

TEST_P(MalformedResourceTest, ExportRefusedWritingNothing) {
  const PathResult result = ExportPayload(state_, 0);
  EXPECT_EQ(result.status.kind(), ErrorKind::kMalformed);
  EXPECT_TRUE(testing::Listing(dir_.path()).empty()) << "no folder, no file";
}

TEST_P(MalformedResourceTest, ImportRefusedLeavingChunk) {
  const std::string file = dir_ / "new.dds";
  testing::WriteFile(file, Payload("DDS ", 20));
  EXPECT_EQ(ImportPayload(state_, 0, file).kind(), ErrorKind::kMalformed);
  ExpectUnchanged();
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, MalformedResourceTest,
    ::testing::Values(MalformedCase{"HeaderOnly", testing::Chunk("RSCF", {})},
                      MalformedCase{"TwentyBytes", testing::Chunk("RSCF", Bytes(12, 'x'))},
                      MalformedCase{"TwentySevenBytes", testing::Chunk("RSCF", Bytes(19, 'x'))},
                      MalformedCase{"PayloadSizeNegative", RawResource(-1, ToBytes("a\0DDS zz"))},
                      MalformedCase{"PayloadSizeMinimum", RawResource(INT32_MIN, ToBytes("a"))},
                      MalformedCase{"PayloadSizeOneTooLarge",
                                    RawResource(9, ToBytes("a\0DDS 123"))},
                      MalformedCase{"PayloadSizeMaximum", RawResource(INT32_MAX, ToBytes("a"))},
                      MalformedCase{"PayloadSizeOnEmptyBody", RawResource(1, {})}),
    testing::CaseName<MalformedCase>);

TEST(WellFormedResourceTest, PayloadMayStartAtTheName) {
  // Payload size = length - 28: the payload takes the name's place; still in shape.
  ArchiveState state;
  testing::BuildTable(state, {RawResource(8, ToBytes("DDS 1234")), RawResource(0, {})});
  EXPECT_TRUE(IsWellFormedResource(state, 0));
  EXPECT_EQ(PayloadOffset(state, 0), 28);
  EXPECT_EQ(PayloadKind(state, 0), kDdsPayload);
  EXPECT_TRUE(CheckResourceChunk(state, 0).ok());
  EXPECT_TRUE(IsWellFormedResource(state, 1)) << "28 bytes with an empty payload";
  EXPECT_EQ(PayloadOffset(state, 1), 28);
}

TEST(WellFormedResourceTest, OtherTagIsNotAResource) {
  ArchiveState state;
  testing::BuildTable(state, {testing::PlainChunk("ABCD", 40)});
  EXPECT_EQ(CheckResourceChunk(state, 0).kind(), ErrorKind::kNotResource);
  EXPECT_EQ(ExportPayload(state, 0).status.kind(), ErrorKind::kNotResource);
}

}  // namespace
}  // namespace asrkit
