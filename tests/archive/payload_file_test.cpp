// Payload files: export under the resource's base name, and import with the
// zero padding, the kept header and the rewritten length fields.
#include "payload_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "archive_builder.h"
#include "archive_format.h"
#include "archive_state.h"
#include "resource_chunk.h"
#include "state_helpers.h"

namespace asrkit {
namespace {

using testing::PrintTo;

using testing::Archive;
using testing::Bytes;
using ::testing::HasSubstr;
using testing::Payload;
using testing::PlainChunk;
using testing::ResourceChunk;
using testing::ToBytes;

Bytes Slice(std::span<const std::uint8_t> bytes, std::size_t from, std::size_t to) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
               bytes.begin() + static_cast<std::ptrdiff_t>(to));
}

const Bytes kGap{0x11, 0x22, 0x33};

class PayloadFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::OpenBytes(state_, dir_,
                       Archive({ResourceChunk("textures\\rock.tga", Payload("RIFF", 40), kGap),
                                PlainChunk("ABCD", 24)}));
  }
  std::string Folder() const { return dir_ / "level1/"; }
  std::string WriteSource(const Bytes& content, const std::string& name = "source.bin") {
    const std::string path = dir_ / name;
    testing::WriteFile(path, content);
    return path;
  }

  testing::TempDir dir_;
  ArchiveState state_;
};

struct PadCase {
  std::string name;
  Bytes file;
  std::int32_t zeros;
  std::int32_t kind;
};

class PaddingTest : public PayloadFileTest, public ::testing::WithParamInterface<PadCase> {};

TEST_P(PaddingTest, ImportPadsKeepsHeaderAndExportsPaddedPayload) {
  const PadCase& c = GetParam();
  const Bytes old_block = testing::ToVector(ChunkBytes(state_, 0));
  const Bytes other = testing::ToVector(ChunkBytes(state_, 1));
  const std::int32_t k = PayloadOffset(state_, 0);
  const auto n = static_cast<std::int32_t>(c.file.size());
  const auto uk = static_cast<std::size_t>(k);

  ASSERT_TRUE(ImportPayload(state_, 0, WriteSource(c.file)).ok());
  const auto block = ChunkBytes(state_, 0);
  const std::int32_t length = k + n + c.zeros;
  EXPECT_EQ(state_.ChunkSizes[0], length);
  EXPECT_EQ(ReadLE32(block.data() + 4), length) << "chunk length field rewritten";
  EXPECT_EQ(ReadLE32(block.data() + 24), n + c.zeros) << "payload size field rewritten";
  EXPECT_EQ(PayloadOffset(state_, 0), k);
  EXPECT_EQ(state_.ChunkTags[0], TagRSCF);

  EXPECT_EQ(Slice(block, 0, 4), Slice(old_block, 0, 4)) << "tag";
  EXPECT_EQ(Slice(block, 8, 24), Slice(old_block, 8, 24)) << "bytes 8..23";
  EXPECT_EQ(Slice(block, 28, uk), Slice(old_block, 28, uk)) << "name, its NUL and the gap";
  EXPECT_EQ(ResourceName(state_, 0), "textures\\rock.tga");
  Bytes padded = c.file;
  padded.resize(padded.size() + static_cast<std::size_t>(c.zeros), 0);
  EXPECT_EQ(Slice(block, uk, block.size()), padded);
  EXPECT_EQ(PayloadKind(state_, 0), c.kind);
  EXPECT_EQ(testing::ToVector(ChunkBytes(state_, 1)), other) << "the other chunk is untouched";

  const PathResult exported = ExportPayload(state_, 0);
  ASSERT_TRUE(exported.status.ok()) << exported.status.message();
  EXPECT_EQ(exported.path, Folder() + "rock" + std::string(KindExtension(c.kind)));
  EXPECT_EQ(testing::ReadFile(exported.path), padded);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PaddingTest,
                         ::testing::Values(PadCase{"Empty", {}, 0, kOtherPayload},
                                           PadCase{"Four", ToBytes("DDS "), 0, kDdsPayload},
                                           PadCase{"Five", Payload("DDS ", 5), 3, kDdsPayload},
                                           PadCase{"Six", Payload("RIFF", 6), 2, kRiffPayload},
                                           PadCase{"Seven", Payload("abcd", 7), 1, kOtherPayload},
                                           PadCase{"ThreeZerosAlready", Bytes{'x', 0, 0, 0, 0}, 3,
                                                   kOtherPayload},
                                           PadCase{"Large", Payload("DDS ", 4097), 3, kDdsPayload}),
                         testing::CaseName<PadCase>);

TEST(PadTableTest, ZerosUpToAMultipleOfFour) {
  EXPECT_EQ(PadTable, (std::array<std::int32_t, 4>{0, 3, 2, 1}));
}

struct TwiceCase {
  std::int32_t first;
  std::int32_t second;
};

class TwoImportsTest : public PayloadFileTest, public ::testing::WithParamInterface<TwiceCase> {};

// Whatever zeros the first import appended, the second keeps the same header.
TEST_P(TwoImportsTest, EqualOneImportOfTheSecondFile) {
  const auto [first, second] = GetParam();
  const std::string first_file =
      WriteSource(Payload("DDS ", static_cast<std::size_t>(first)), "first.bin");
  const std::string second_file =
      WriteSource(Payload("RIFF", static_cast<std::size_t>(second)), "second.bin");

  ArchiveState once;
  testing::OpenBytes(once, dir_,
                     Archive({ResourceChunk("textures\\rock.tga", Payload("RIFF", 40), kGap),
                              PlainChunk("ABCD", 24)}));
  ASSERT_TRUE(ImportPayload(once, 0, second_file).ok());

  ASSERT_TRUE(ImportPayload(state_, 0, first_file).ok());
  ASSERT_TRUE(ImportPayload(state_, 0, second_file).ok());
  EXPECT_EQ(state_.ChunkSizes[0], once.ChunkSizes[0]);
  EXPECT_EQ(testing::ToVector(ChunkBytes(state_, 0)), testing::ToVector(ChunkBytes(once, 0)));
}

std::vector<TwiceCase> EveryFirstSize() {
  std::vector<TwiceCase> cases;
  for (std::int32_t first = 0; first < 8; ++first)
    for (const std::int32_t second : {0, 5, 8}) cases.push_back({first, second});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Sizes, TwoImportsTest, ::testing::ValuesIn(EveryFirstSize()),
                         [](const ::testing::TestParamInfo<TwiceCase>& info) {
                           return "First" + std::to_string(info.param.first) + "Then" +
                                  std::to_string(info.param.second);
                         });

TEST_F(PayloadFileTest, DdsReplacingRiffChangesKindAndExtensionOnly) {
  EXPECT_EQ(PayloadKind(state_, 0), kRiffPayload);
  EXPECT_EQ(PayloadFilePath(state_, 0), Folder() + "rock.wav");
  const Bytes dds = Payload("DDS ", 128);
  ASSERT_TRUE(ImportPayload(state_, 0, WriteSource(dds, "new.dds")).ok());
  EXPECT_EQ(PayloadKind(state_, 0), kDdsPayload);
  EXPECT_EQ(ResourceName(state_, 0), "textures\\rock.tga");
  const PathResult exported = ExportPayload(state_, 0);
  ASSERT_TRUE(exported.status.ok());
  EXPECT_EQ(exported.path, Folder() + "rock.dds");
  EXPECT_EQ(testing::ReadFile(exported.path), dds);
}

struct RefusedFileCase {
  std::string name;
  std::string file;  // under the temporary folder; "" is the folder itself
};

class ImportRefusedTest : public PayloadFileTest,
                          public ::testing::WithParamInterface<RefusedFileCase> {};

TEST_P(ImportRefusedTest, CannotOpenAndNoChange) {
  const Bytes before = testing::ToVector(ChunkBytes(state_, 0));
  const Status status = ImportPayload(state_, 0, dir_ / GetParam().file);
  EXPECT_EQ(status.kind(), ErrorKind::kCannotOpen) << status.message();
  EXPECT_EQ(testing::ToVector(ChunkBytes(state_, 0)), before);
  EXPECT_EQ(state_.ChunkSizes[0], static_cast<std::int32_t>(before.size()));
}

INSTANTIATE_TEST_SUITE_P(Files, ImportRefusedTest,
                         ::testing::Values(RefusedFileCase{"Missing", "missing.dds"},
                                           RefusedFileCase{"Folder", ""}),
                         testing::CaseName<RefusedFileCase>);

TEST_F(PayloadFileTest, FileTooLargeForAChunkRefusedBeforeAllocating) {
  const std::string path = dir_ / "huge.bin";
  // Sparse: it costs no disk. With the kept header the chunk would pass 2^31 - 1.
  testing::WriteFile(path, {});
  std::error_code error;
  std::filesystem::resize_file(path, (std::uintmax_t{1} << 31) - PayloadOffset(state_, 0), error);
  const bool sized = !error;
  if (!sized) GTEST_SKIP() << "this file system refuses a 2 GiB sparse file";
  const Bytes before = testing::ToVector(ChunkBytes(state_, 0));
  const Status status = ImportPayload(state_, 0, path);
  EXPECT_EQ(status.kind(), ErrorKind::kTooLarge) << status.message();
  EXPECT_THAT(status.message(), HasSubstr(path));
  EXPECT_EQ(testing::ToVector(ChunkBytes(state_, 0)), before);
}

TEST_F(PayloadFileTest, ExportIntoBlockedFolderFails) {
  testing::WriteFile(dir_ / "level1", ToBytes("a plain file named like the export folder"));
  const PathResult result = ExportPayload(state_, 0);
  EXPECT_EQ(result.status.kind(), ErrorKind::kWriteFailed);
  EXPECT_EQ(result.path, Folder() + "rock.wav");
  EXPECT_THAT(result.status.message(), HasSubstr(result.path));
}

TEST_F(PayloadFileTest, NotAResourceChunkRefused) {
  EXPECT_EQ(ExportPayload(state_, 1).status.kind(), ErrorKind::kNotResource);
  const Bytes before = testing::ToVector(ChunkBytes(state_, 1));
  EXPECT_EQ(ImportPayload(state_, 1, WriteSource(ToBytes("DDS data"))).kind(),
            ErrorKind::kNotResource);
  EXPECT_EQ(testing::ToVector(ChunkBytes(state_, 1)), before);
}

struct PathCase {
  std::string name;
  std::string resource;
  Bytes payload;
  std::string file;  // expected file name in the export folder
};

class PayloadPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(PayloadPathTest, FolderBaseNameAndKindExtension) {
  const PathCase& c = GetParam();
  testing::TempDir dir;
  ArchiveState state;
  testing::BuildTable(state, {ResourceChunk(c.resource, c.payload)}, dir.AsFolder());
  const std::string expected = dir / ("level1/" + c.file);
  EXPECT_EQ(PayloadFilePath(state, 0), expected);
  const PathResult exported = ExportPayload(state, 0);
  ASSERT_TRUE(exported.status.ok()) << exported.status.message();
  EXPECT_EQ(exported.path, expected);
  EXPECT_EQ(testing::ReadFile(expected), c.payload);
}

INSTANTIATE_TEST_SUITE_P(
    Names, PayloadPathTest,
    ::testing::Values(PathCase{"BackslashDds", "textures\\rock.tga", Payload("DDS ", 12),
                               "rock.dds"},
                      PathCase{"SlashRiff", "sounds/boom.wav", Payload("RIFF", 12), "boom.wav"},
                      PathCase{"DriveOther", "C:data.raw", Payload("data", 12), "data.bin"},
                      PathCase{"SeveralDots", "a\\b.c.d", Payload("DDS ", 4), "b.c.dds"},
                      PathCase{"NoExtension", "music\\theme", Payload("RIFF", 8), "theme.wav"},
                      PathCase{"EndsInSeparator", "textures\\", Payload("DDS ", 8), ".dds"},
                      PathCase{"EmptyName", "", Payload("DDS ", 8), ".dds"},
                      PathCase{"EmptyPayload", "a\\b.tga", {}, "b.bin"}),
    testing::CaseName<PathCase>);

TEST(PayloadPathTest, SameBaseNameAndKindLaterExportReplaces) {
  testing::TempDir dir;
  ArchiveState state;
  const Bytes first = Payload("DDS ", 16), second = Payload("DDS ", 24);
  testing::BuildTable(state,
                      {ResourceChunk("a\\rock.tga", first), ResourceChunk("b/rock.dds", second)},
                      dir.AsFolder());
  ASSERT_TRUE(ExportPayload(state, 0).status.ok());
  ASSERT_TRUE(ExportPayload(state, 1).status.ok());
  EXPECT_EQ(testing::ReadFile(dir / "level1/rock.dds"), second);
  EXPECT_EQ(testing::Listing(dir / "level1"), std::set<std::string>{"rock.dds"});
}

}  // namespace
}  // namespace asrkit
