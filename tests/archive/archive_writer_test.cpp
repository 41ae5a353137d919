// Save As: the layout written, the backup rule, and failures that must leave
// the chosen file as it was with no temporary file behind.
#include "archive_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>

#include "archive_builder.h"
#include "archive_format.h"
#include "archive_state.h"
#include "path_parts.h"
#include "state_helpers.h"

namespace asrkit {
namespace {

using testing::PrintTo;

using testing::Archive;
using testing::Bytes;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::PlainChunk;
using testing::ToBytes;

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t to) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
               bytes.begin() + static_cast<std::ptrdiff_t>(to));
}

TEST(SaveArchiveTest, HeaderBlocksByTableLengthAndTerminator) {
  testing::TempDir dir;
  const Bytes a = PlainChunk("AAAA", 100), b = PlainChunk("BBBB", 40), c = PlainChunk("CCCC", 8);
  ArchiveState state;
  testing::BuildTable(state, {a, b, c});
  testing::RecordingProgress progress;
  const std::string path = dir / "out.asr";
  ASSERT_TRUE(SaveArchive(state, path, progress).ok());

  const Bytes file = testing::ReadFile(path);
  ASSERT_EQ(file.size(), 160u);
  EXPECT_EQ(Slice(file, 0, 8), ToBytes("Asura   "));
  EXPECT_EQ(Slice(file, 8, 108), a);
  EXPECT_EQ(Slice(file, 108, 148), b);
  EXPECT_EQ(Slice(file, 148, 156), c);
  EXPECT_EQ(Slice(file, 156, 160), Bytes(4, 0));
  EXPECT_THAT(progress.maxima, ElementsAre(3));
  EXPECT_THAT(progress.positions, ElementsAre(0, 1, 2)) << "0-based: the bar ends at 2 of 3";
  EXPECT_EQ(testing::Listing(dir.path()), std::set<std::string>{"out.asr"})
      << "no backup for a new name, no temporary file";
}

TEST(SaveArchiveTest, EmptyTableGivesHeaderAndTerminator) {
  testing::TempDir dir;
  ArchiveState state;
  testing::RecordingProgress progress;
  ASSERT_TRUE(SaveArchive(state, dir / "empty.asr", progress).ok());
  EXPECT_EQ(testing::ReadFile(dir / "empty.asr"), Archive({}));
  EXPECT_EQ(testing::ReadFile(dir / "empty.asr").size(), 12u);
  EXPECT_THAT(progress.maxima, ElementsAre(0));
  EXPECT_TRUE(progress.positions.empty());
}

// The table length decides what is written, not the length field inside.
TEST(SaveArchiveTest, WritesTableLengthEvenWhenLengthFieldDisagrees) {
  testing::TempDir dir;
  Bytes odd = PlainChunk("ODDS", 24);
  odd[4] = 16;
  ArchiveState state;
  testing::BuildTable(state, {odd});
  ASSERT_TRUE(SaveArchive(state, dir / "out.asr").ok());
  EXPECT_EQ(testing::ReadFile(dir / "out.asr"), Archive({odd}));
}

TEST(SaveArchiveTest, BackupKeepsFirstContentOverTwoSaves) {
  testing::TempDir dir;
  const Bytes original = Archive({PlainChunk("ABCD", 40), PlainChunk("EFGH", 16)});
  ArchiveState state;
  testing::OpenBytes(state, dir, original);
  const std::string path = dir / "level1.asr";

  ReplaceBlock(state, 0, ByteBuffer::CopyOf(PlainChunk("SAV1", 12)));
  ASSERT_TRUE(SaveArchive(state, path).ok());
  const Bytes first_save = Archive({PlainChunk("SAV1", 12), PlainChunk("EFGH", 16)});
  EXPECT_EQ(testing::ReadFile(path), first_save);
  EXPECT_EQ(testing::ReadFile(path + ".backup"), original);

  ReplaceBlock(state, 1, ByteBuffer::CopyOf(PlainChunk("SAV2", 20)));
  ASSERT_TRUE(SaveArchive(state, path).ok());
  EXPECT_EQ(testing::ReadFile(path), Archive({PlainChunk("SAV1", 12), PlainChunk("SAV2", 20)}));
  EXPECT_EQ(testing::ReadFile(path + ".backup"), original)
      << "an existing backup is never replaced; the first save's content is gone";
  EXPECT_EQ(testing::Listing(dir.path()),
            (std::set<std::string>{"level1.asr", "level1.asr.backup"}));
}

TEST(SaveArchiveTest, NewNameMakesNoBackupAndLeavesOpenedFile) {
  testing::TempDir dir;
  const Bytes original = Archive({PlainChunk("ABCD", 40)});
  ArchiveState state;
  testing::OpenBytes(state, dir, original);
  ReplaceBlock(state, 0, ByteBuffer::CopyOf(PlainChunk("NEWS", 12)));
  ASSERT_TRUE(SaveArchive(state, dir / "other.asr").ok());
  EXPECT_EQ(testing::ReadFile(dir / "level1.asr"), original);
  EXPECT_EQ(testing::ReadFile(dir / "other.asr"), Archive({PlainChunk("NEWS", 12)}));
  EXPECT_EQ(testing::Listing(dir.path()), (std::set<std::string>{"level1.asr", "other.asr"}));
  EXPECT_EQ(ExportFolder(state), dir / "level1/") << "exports still follow the opened file";
}

const Bytes kExisting = Archive({PlainChunk("OLD!", 24)});

void BuildLargeTable(ArchiveState& state) {
  std::vector<Bytes> chunks;
  for (int i = 0; i < 40; ++i) chunks.push_back(PlainChunk("DATA", 1000));
  testing::BuildTable(state, chunks);
}

TEST(SaveArchiveFailureTest, MissingFolder) {
  testing::TempDir dir;
  ArchiveState state;
  BuildLargeTable(state);
  const std::string path = dir / "missing/out.asr";
  const Status status = SaveArchive(state, path);
  EXPECT_EQ(status.kind(), ErrorKind::kWriteFailed);
  EXPECT_THAT(status.message(), HasSubstr(path));
  EXPECT_TRUE(testing::Listing(dir.path()).empty());
}

TEST(SaveArchiveFailureTest, FolderWhereTheFileShouldBe) {
  testing::TempDir dir;
  ArchiveState state;
  BuildLargeTable(state);
  const std::string path = dir / "out.asr";
  ASSERT_TRUE(std::filesystem::create_directory(path));
  const Status status = SaveArchive(state, path);
  EXPECT_EQ(status.kind(), ErrorKind::kWriteFailed);
  EXPECT_THAT(status.message(), HasSubstr(path));
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_TRUE(testing::Listing(path).empty());
  EXPECT_EQ(testing::Listing(dir.path()), std::set<std::string>{"out.asr"})
      << "no backup and no temporary file";
}

// Permission bits, a file size limit and fork are POSIX's.
#ifndef _WIN32
TEST(SaveArchiveFailureTest, FolderWithoutWriteAccess) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
  testing::TempDir dir;
  const std::string folder = dir / "locked";
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  testing::WriteFile(folder + "/out.asr", kExisting);
  ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
  ArchiveState state;
  BuildLargeTable(state);
  EXPECT_EQ(SaveArchive(state, folder + "/out.asr").kind(), ErrorKind::kWriteFailed);
  EXPECT_EQ(testing::ReadFile(folder + "/out.asr"), kExisting);
  EXPECT_EQ(testing::Listing(folder), std::set<std::string>{"out.asr"});
}

// The disk fills up part-way: a child process whose file size limit is below
// the archive's size gets a real short write.
struct DiskFullCase {
  std::string name;
  int chunks;
  std::int32_t chunk_length;
  rlim_t limit;
};

class DiskFullTest : public ::testing::TestWithParam<DiskFullCase> {};

TEST_P(DiskFullTest, LeavesTargetAndNoTemporaryFile) {
  const DiskFullCase& c = GetParam();
  testing::TempDir dir;
  const std::string path = dir / "level1.asr";
  testing::WriteFile(path, kExisting);
  ArchiveState state;
  testing::BuildTable(state, std::vector<Bytes>(static_cast<std::size_t>(c.chunks),
                                                PlainChunk("DATA", c.chunk_length)));

  EXPECT_EQ(testing::WithFileSizeLimit(c.limit, [&] { return SaveArchive(state, path); }), 1)
      << "a short write must be reported as a write failure";
  EXPECT_EQ(testing::ReadFile(path), kExisting) << "the chosen file is as it was";
  EXPECT_EQ(testing::Listing(dir.path()), std::set<std::string>{"level1.asr"})
      << "no temporary file and no backup left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Limits, DiskFullTest,
    ::testing::Values(
        // Few enough blocks to be gathered whole: the write fails when they go out at the end.
        DiskFullCase{"FailsInLastFlush", 40, 1000, 4096},
        // More blocks than are gathered at once: the write fails while blocks are still coming.
        DiskFullCase{"FailsBetweenBlocks", 3000, 100, 64 * 1024},
        // Large blocks: the limit falls inside one block.
        DiskFullCase{"FailsInsideABlock", 4, 256 * 1024, 300 * 1024},
        DiskFullCase{"NotOneByteFits", 2, 100, 0}),
    testing::CaseName<DiskFullCase>);
#endif

}  // namespace
}  // namespace asrkit
