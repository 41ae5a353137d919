// Chunk files: their names, export and import of one chunk, and Export All.
#include "chunk_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>

#include "archive_builder.h"
#include "archive_format.h"
#include "archive_state.h"
#include "archive_writer.h"
#include "path_parts.h"
#include "state_helpers.h"

namespace asrkit {
namespace {

using testing::PrintTo;

using testing::Archive;
using testing::Bytes;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using testing::PlainChunk;
using testing::ToBytes;

TEST(ChunkFileNameTest, NumberIsIndexPlusOne) {
  EXPECT_EQ(ChunkFileName(0), "BLOCK.1.bin");
  EXPECT_EQ(ChunkFileName(9), "BLOCK.10.bin");
  EXPECT_EQ(ChunkFileName(65535), "BLOCK.65536.bin");
}

// A snapshot of one chunk's three table entries.
struct ChunkEntry {
  Bytes bytes;
  std::int32_t size;
  std::int32_t tag;
  bool operator==(const ChunkEntry&) const = default;
};

ChunkEntry Entry(const ArchiveState& state, std::int32_t index) {
  const auto i = static_cast<std::size_t>(index);
  return {testing::ToVector(ChunkBytes(state, index)), state.ChunkSizes[i], state.ChunkTags[i]};
}

class ChunkFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::OpenBytes(state_, dir_,
                       Archive({PlainChunk("ABCD", 40),
                                testing::ResourceChunk("a\\rock.tga", testing::Payload("DDS ", 16)),
                                PlainChunk("EFGH", 16)}));
  }
  std::string Folder() const { return dir_ / "level1"; }

  testing::TempDir dir_;
  ArchiveState state_;
};

TEST_F(ChunkFileTest, ExportThenImportLeavesTableUnchanged) {
  const ChunkEntry before = Entry(state_, 2);
  const PathResult exported = ExportChunk(state_, 2);
  ASSERT_TRUE(exported.status.ok()) << exported.status.message();
  EXPECT_EQ(exported.path, Folder() + kNativeSeparator + "BLOCK.3.bin");
  EXPECT_EQ(testing::ReadFile(exported.path), before.bytes);

  ASSERT_TRUE(ReadChunkFile(state_, 2, exported.path).ok());
  EXPECT_EQ(Entry(state_, 2), before);
  EXPECT_EQ(state_.ChunkCount, 3);
}

TEST_F(ChunkFileTest, ImportOverAnotherChunkTakesItsTag) {
  const PathResult exported = ExportChunk(state_, 1);  // the RSCF chunk
  ASSERT_TRUE(exported.status.ok());
  const ChunkEntry first = Entry(state_, 0);
  const ChunkEntry last = Entry(state_, 2);

  ASSERT_TRUE(ReadChunkFile(state_, 0, exported.path).ok());
  EXPECT_EQ(state_.ChunkTags[0], TagRSCF) << "the file's RSCF tag makes it a resource chunk";
  EXPECT_EQ(Entry(state_, 0), Entry(state_, 1));

  const std::string other = dir_ / "other.bin";
  const Bytes plain = PlainChunk("WXYZ", 20);
  testing::WriteFile(other, plain);
  ASSERT_TRUE(ReadChunkFile(state_, 1, other).ok());
  EXPECT_EQ(state_.ChunkTags[1], TagCode(ToBytes("WXYZ")));
  EXPECT_NE(state_.ChunkTags[1], TagRSCF) << "another tag makes it an ordinary chunk";
  EXPECT_EQ(Entry(state_, 1), (ChunkEntry{plain, 20, TagCode(plain)}));
  EXPECT_EQ(Entry(state_, 2), last) << "other chunks stay as they were";
  EXPECT_NE(Entry(state_, 0), first);
}

TEST_F(ChunkFileTest, LengthFieldKeptAsTheFileHoldsIt) {
  Bytes file = PlainChunk("LIES", 24);
  file[4] = 16;  // says 16, holds 24
  const std::string path = dir_ / "lies.bin";
  testing::WriteFile(path, file);
  ASSERT_TRUE(ReadChunkFile(state_, 0, path).ok());
  EXPECT_EQ(state_.ChunkSizes[0], 24) << "the table takes the file's size";
  EXPECT_EQ(ReadLE32(ChunkBytes(state_, 0).data() + 4), 16) << "the field is not rewritten";
  EXPECT_EQ(testing::ToVector(ChunkBytes(state_, 0)), file);
}

// What Save As writes follows the table; what a later open reads follows the
// length fields. Here the field hides an 8-byte chunk inside the imported file.
TEST_F(ChunkFileTest, SavedLengthMismatchIsReadBackByLengthField) {
  Bytes file = PlainChunk("LIES", 16);
  const Bytes hidden = PlainChunk("XTRA", 8);
  file.insert(file.end(), hidden.begin(), hidden.end());  // 24 bytes, field says 16
  const std::string path = dir_ / "lies.bin";
  testing::WriteFile(path, file);
  ASSERT_TRUE(ReadChunkFile(state_, 0, path).ok());
  ASSERT_TRUE(SaveArchive(state_, dir_ / "saved.asr").ok());

  ArchiveState reread;
  ASSERT_TRUE(OpenArchive(reread, dir_ / "saved.asr").ok());
  ASSERT_EQ(reread.ChunkCount, 4);
  EXPECT_EQ(testing::ToVector(ChunkBytes(reread, 0)), PlainChunk("LIES", 16));
  EXPECT_EQ(testing::ToVector(ChunkBytes(reread, 1)), hidden);
  EXPECT_EQ(Entry(reread, 2), Entry(state_, 1));
}

// Opened from a file without extension, the export folder is the archive
// itself: the export must fail and leave the archive whole.
TEST(ChunkFileNoExtensionTest, ExportFailsAndArchiveSurvives) {
  testing::TempDir dir;
  const Bytes archive = Archive({PlainChunk("ABCD", 40)});
  ArchiveState state;
  testing::OpenBytes(state, dir, archive, "level1");
  ASSERT_EQ(ExportFolder(state), dir / "level1/");
  const PathResult result = ExportChunk(state, 0);
  EXPECT_EQ(result.status.kind(), ErrorKind::kWriteFailed);
  EXPECT_EQ(testing::ReadFile(dir / "level1"), archive);
  const ExportAllResult all = ExportAllChunks(state, NoProgress(), [](const Status&) {});
  EXPECT_EQ(all.failed, 1);
  EXPECT_EQ(testing::ReadFile(dir / "level1"), archive);
  EXPECT_EQ(testing::Listing(dir.path()), std::set<std::string>{"level1"});
}

struct RefusedCase {
  std::string name;
  std::string file;  // under the temporary folder
  Bytes content;     // written unless `file` is left out
  bool create;
  ErrorKind kind;
};

class ChunkFileRefusedTest : public ChunkFileTest,
                             public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(ChunkFileRefusedTest, ChunkUnchanged) {
  const RefusedCase& c = GetParam();
  const std::string path = dir_ / c.file;
  if (c.create) testing::WriteFile(path, c.content);
  const ChunkEntry before = Entry(state_, 1);
  const Status status = ReadChunkFile(state_, 1, path);
  EXPECT_EQ(status.kind(), c.kind) << status.message();
  EXPECT_THAT(status.message(), HasSubstr(path));
  EXPECT_EQ(Entry(state_, 1), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ChunkFileRefusedTest,
    ::testing::Values(RefusedCase{"Missing", "missing.bin", {}, false, ErrorKind::kCannotOpen},
                      RefusedCase{"Folder", "", {}, false, ErrorKind::kCannotOpen},
                      RefusedCase{"Empty", "empty.bin", {}, true, ErrorKind::kTooShort},
                      RefusedCase{"ThreeBytes", "three.bin", ToBytes("RSC"), true,
                                  ErrorKind::kTooShort}),
    testing::CaseName<RefusedCase>);

TEST_F(ChunkFileTest, FourByteFileIsTaken) {
  const std::string path = dir_ / "four.bin";
  testing::WriteFile(path, ToBytes("RSCF"));
  ASSERT_TRUE(ReadChunkFile(state_, 2, path).ok());
  EXPECT_EQ(Entry(state_, 2), (ChunkEntry{ToBytes("RSCF"), 4, TagRSCF}));
}

TEST_F(ChunkFileTest, ExportIntoBlockedFolderFails) {
  testing::WriteFile(Folder(), ToBytes("a plain file named like the export folder"));
  const PathResult result = ExportChunk(state_, 0);
  EXPECT_EQ(result.status.kind(), ErrorKind::kWriteFailed);
  EXPECT_EQ(result.path, Folder() + kNativeSeparator + "BLOCK.1.bin");
  EXPECT_THAT(result.status.message(), HasSubstr(result.path));
}

TEST_F(ChunkFileTest, ExportReplacesAnEarlierFile) {
  ASSERT_TRUE(std::filesystem::create_directory(Folder()));
  testing::WriteFile(Folder() + kNativeSeparator + "BLOCK.1.bin", Bytes(500, 0xEE));
  ASSERT_TRUE(ExportChunk(state_, 0).status.ok());
  EXPECT_EQ(testing::ReadFile(Folder() + kNativeSeparator + "BLOCK.1.bin"), Entry(state_, 0).bytes);
  EXPECT_EQ(testing::Listing(Folder()), std::set<std::string>{"BLOCK.1.bin"});
}

// A file size limit and fork are POSIX's.
#ifndef _WIN32
// The disk fills up while a chunk file is written: the failure is reported,
// and neither a partial file nor a temporary one is left; an earlier export
// under that name stays as it was.
class ChunkFileDiskFullTest : public ChunkFileTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ChunkFileDiskFullTest, NoPartialFileLeft) {
  const bool earlier = GetParam();
  const Bytes big = PlainChunk("BIGG", 64 * 1024);
  const std::string path = dir_ / "big.bin";
  testing::WriteFile(path, big);
  ASSERT_TRUE(ReadChunkFile(state_, 0, path).ok());
  ASSERT_EQ(::mkdir(Folder().c_str(), 0755), 0);
  const std::string target = Folder() + kNativeSeparator + "BLOCK.1.bin";
  const Bytes old = ToBytes("an earlier export");
  if (earlier) testing::WriteFile(target, old);

  EXPECT_EQ(testing::WithFileSizeLimit(16 * 1024, [&] { return ExportChunk(state_, 0).status; }), 1)
      << "a short write must be reported as a write failure";
  if (earlier) {
    EXPECT_EQ(testing::ReadFile(target), old);
    EXPECT_EQ(testing::Listing(Folder()), std::set<std::string>{"BLOCK.1.bin"});
  } else {
    EXPECT_TRUE(testing::Listing(Folder()).empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Targets, ChunkFileDiskFullTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "ReplacingEarlierFile" : "NewFile";
                         });
#endif

struct ExportAllRun {
  ExportAllResult result;
  testing::RecordingProgress progress;
  std::vector<std::string> reported;
};

ExportAllRun RunExportAll(const ArchiveState& state) {
  ExportAllRun run;
  run.result = ExportAllChunks(
      state, run.progress, [&](const Status& status) { run.reported.push_back(status.message()); });
  return run;
}

class ExportAllTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 12; ++i)
      chunks_.push_back(PlainChunk("C" + std::to_string(100 + i), 8 + i));
    testing::OpenBytes(state_, dir_, Archive(chunks_));
  }
  std::string Folder() const { return dir_ / "level1"; }

  testing::TempDir dir_;
  std::vector<Bytes> chunks_;
  ArchiveState state_;
};

TEST_F(ExportAllTest, WritesEveryChunkFile) {
  const ExportAllRun run = RunExportAll(state_);
  EXPECT_EQ(run.result.written, 12);
  EXPECT_EQ(run.result.failed, 0);
  EXPECT_TRUE(run.reported.empty());
  std::set<std::string> expected_names;
  for (std::int32_t i = 0; i < 12; ++i) {
    const std::string name = ChunkFileName(i);
    expected_names.insert(name);
    EXPECT_EQ(testing::ReadFile(Folder() + kNativeSeparator + name),
              chunks_[static_cast<std::size_t>(i)])
        << name;
  }
  EXPECT_EQ(testing::Listing(Folder()), expected_names) << "no temporary file left";
  EXPECT_THAT(run.progress.maxima, ElementsAreArray({12}));
  ASSERT_FALSE(run.progress.positions.empty());
  EXPECT_EQ(run.progress.positions.front(), 0);
  EXPECT_EQ(run.progress.positions.back(), 11) << "0-based: the bar ends at 11 of 12";
  const std::vector<std::int32_t> per_chunk(run.progress.positions.end() - 12,
                                            run.progress.positions.end());
  EXPECT_THAT(per_chunk, ElementsAreArray({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

TEST_F(ExportAllTest, EmptyTableCreatesNoFolder) {
  // A failed re-open: the path parts name the new file, the table is empty.
  const std::string path = dir_ / "packed.asr";
  testing::WriteFile(path, ToBytes("AsuraCmp and then compressed data"));
  ASSERT_EQ(OpenArchive(state_, path).kind(), ErrorKind::kCompressed);
  ASSERT_EQ(state_.ChunkCount, 0);
  const auto before = testing::Listing(dir_.path());

  const ExportAllRun run = RunExportAll(state_);
  EXPECT_EQ(run.result.written, 0);
  EXPECT_EQ(run.result.failed, 0);
  EXPECT_THAT(run.progress.maxima, ElementsAreArray({0}));
  EXPECT_THAT(run.progress.positions, ElementsAreArray({0}));
  EXPECT_EQ(testing::Listing(dir_.path()), before) << "no folder and no file";
}

TEST_F(ExportAllTest, BlockedFolderCountsEveryFailure) {
  testing::WriteFile(Folder(), ToBytes("a plain file named like the export folder"));
  const ExportAllRun run = RunExportAll(state_);
  EXPECT_EQ(run.result.written, 0);
  EXPECT_EQ(run.result.failed, 12);
  ASSERT_EQ(run.reported.size(), 12u);
  EXPECT_THAT(run.reported.front(), HasSubstr(Folder() + kNativeSeparator + "BLOCK.1.bin"));
  EXPECT_THAT(run.reported.back(), HasSubstr(Folder() + kNativeSeparator + "BLOCK.12.bin"));
  EXPECT_EQ(run.progress.positions.back(), 11) << "the rest go on after a failure";
  EXPECT_EQ(testing::Listing(dir_.path()), (std::set<std::string>{"level1", "level1.asr"}));
}

}  // namespace
}  // namespace asrkit
