// Opening an archive: what each outcome leaves in the state and in the log.
#include "open_archive.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "archive_builder.h"
#include "archive_format.h"
#include "archive_state.h"
#include "messages.h"
#include "state_helpers.h"

namespace asrkit {
namespace {

using testing::PrintTo;

using testing::Archive;
using testing::Bytes;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using testing::PlainChunk;
using testing::ToBytes;

struct RecordingListener : OpenListener {
  std::vector<std::string> lines;
  std::vector<std::int32_t> allocated;
  std::string read_path;
  void Log(std::string_view line) override { lines.emplace_back(line); }
  void ImageRead(const std::string& path) override { read_path = path; }
  void TableAllocated(std::int32_t count) override { allocated.push_back(count); }
};

const Bytes kThreeChunks = Archive({PlainChunk("ABCD", 40),
                                    testing::ResourceChunk("a\\b.tga", testing::Payload("DDS ", 8)),
                                    PlainChunk("EFGH", 16)});

void ExpectEmptyTable(const ArchiveState& state) {
  EXPECT_FALSE(state.TableBuilt);
  EXPECT_EQ(state.ChunkCount, 0);
  EXPECT_TRUE(state.ChunkBlocks.empty());
}

TEST(OpenArchiveTest, GoodArchiveBuildsTableAndReleasesImage) {
  testing::TempDir dir;
  const std::string path = dir / "level1.asr";
  testing::WriteFile(path, kThreeChunks);
  ArchiveState state;
  RecordingListener listener;
  const Status status = OpenArchive(state, path, listener);
  ASSERT_TRUE(status.ok()) << status.message();

  EXPECT_EQ(state.ChunkCount, 3);
  EXPECT_TRUE(state.TableBuilt);
  EXPECT_FALSE(state.ImageLoaded) << "the image goes once the table is built";
  EXPECT_EQ(state.ArchiveImageSize, static_cast<std::int32_t>(kThreeChunks.size()));
  EXPECT_THAT(state.ChunkSizes, ElementsAre(40, kThreeChunks.size() - 8 - 40 - 16 - 4, 16, 0));
  EXPECT_EQ(state.ChunkTags[1], TagRSCF);
  EXPECT_EQ(state.ArchiveDrive + state.ArchiveDir, dir.AsFolder());
  EXPECT_EQ(state.ArchiveName, "level1");
  EXPECT_EQ(state.ArchiveExt, ".asr");
  EXPECT_EQ(listener.read_path, path);
  EXPECT_THAT(listener.allocated, ElementsAre(3));
  EXPECT_THAT(
      listener.lines,
      ElementsAre("Done   " + path, "File size " + std::to_string(kThreeChunks.size()) + " bytes",
                  "Decompressing Asura file.....", "Done   ", "Exploring files...", "Done       ",
                  "Found 3 Chunks of data"));
}

struct FailedOpenCase {
  std::string name;
  Bytes file;
  ErrorKind kind;
  std::string said;  // part of the logged line
};

class FailedOpenTest : public ::testing::TestWithParam<FailedOpenCase> {};

// A good archive first, so that the test sees the previous table released.
TEST_P(FailedOpenTest, ReleasesPreviousTableAndKeepsImage) {
  const FailedOpenCase& c = GetParam();
  testing::TempDir dir;
  ArchiveState state;
  testing::OpenBytes(state, dir, kThreeChunks);
  const std::string path = dir / "second.asr";
  testing::WriteFile(path, c.file);
  RecordingListener listener;
  const Status status = OpenArchive(state, path, listener);

  EXPECT_EQ(status.kind(), c.kind) << status.message();
  ExpectEmptyTable(state);
  EXPECT_TRUE(state.ImageLoaded) << "the image stays held until the next open";
  EXPECT_EQ(state.ArchiveImageSize, static_cast<std::int32_t>(c.file.size()));
  EXPECT_EQ(state.ArchiveName, "second") << "path parts name the new file";
  ASSERT_FALSE(listener.lines.empty());
  EXPECT_EQ(listener.lines.back(), status.message()) << "the failure is the last line logged";
  EXPECT_THAT(listener.lines.back(), HasSubstr(c.said));
  EXPECT_EQ(listener.read_path, path) << "a whole read names the file in the title";

  FreeChunkTable(state);
  FreeImage(state);
  EXPECT_FALSE(state.ImageLoaded);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, FailedOpenTest,
    ::testing::Values(FailedOpenCase{"Compressed", ToBytes("AsuraCmp-whatever-follows"),
                                     ErrorKind::kCompressed, "compressed"},
                      FailedOpenCase{"Unrecognised", ToBytes("asura   \x08\0\0\0"),
                                     ErrorKind::kUnrecognised, "header"},
                      FailedOpenCase{"Empty", {}, ErrorKind::kUnrecognised, "header"},
                      FailedOpenCase{
                          "Malformed",
                          [] {
                            Bytes bytes = Archive({PlainChunk("ABCD", 40), PlainChunk("EFGH", 16)});
                            bytes[48 + 4] = 3;  // second chunk's length: 3
                            return bytes;
                          }(),
                          ErrorKind::kMalformed, "chunk 2 at offset 48"}),
    testing::CaseName<FailedOpenCase>);

// A file that never gets read leaves everything as it was, path parts included.
void ExpectPreviousArchiveKept(const ArchiveState& state) {
  EXPECT_TRUE(state.TableBuilt);
  EXPECT_EQ(state.ChunkCount, 3);
  EXPECT_FALSE(state.ImageLoaded);
  EXPECT_EQ(state.ArchiveName, "level1");
}

TEST(OpenArchiveTest, MissingFileChangesNothing) {
  testing::TempDir dir;
  ArchiveState state;
  testing::OpenBytes(state, dir, kThreeChunks);
  const std::string path = dir / "missing.asr";
  RecordingListener listener;
  EXPECT_EQ(OpenArchive(state, path, listener).kind(), ErrorKind::kCannotOpen);
  ExpectPreviousArchiveKept(state);
  ASSERT_EQ(listener.lines.size(), 1u);
  EXPECT_THAT(listener.lines[0], EndsWith(path));
}

TEST(OpenArchiveTest, FolderIsNotOpened) {
  testing::TempDir dir;
  ArchiveState state;
  testing::OpenBytes(state, dir, kThreeChunks);
  EXPECT_EQ(OpenArchive(state, dir.path().string()).kind(), ErrorKind::kCannotOpen);
  ExpectPreviousArchiveKept(state);
}

TEST(OpenArchiveTest, FileOfTwoGibibytesRefusedBeforeAllocating) {
  testing::TempDir dir;
  ArchiveState state;
  testing::OpenBytes(state, dir, kThreeChunks);
  const std::string path = dir / "huge.asr";
  // Sparse: it costs no disk. 2^31 bytes is the first size out of range.
  testing::WriteFile(path, {});
  std::error_code error;
  std::filesystem::resize_file(path, std::uintmax_t{1} << 31, error);
  const bool sized = !error;
  if (!sized) GTEST_SKIP() << "this file system refuses a 2 GiB sparse file";

  RecordingListener listener;
  const Status status = OpenArchive(state, path, listener);
  EXPECT_EQ(status.kind(), ErrorKind::kTooLarge) << status.message();
  ExpectPreviousArchiveKept(state);
  EXPECT_THAT(listener.lines, ElementsAre(status.message()));
  EXPECT_THAT(status.message(), HasSubstr(path));
}

TEST(OpenArchiveTest, ReopeningDropsChangesInMemory) {
  testing::TempDir dir;
  ArchiveState state;
  testing::OpenBytes(state, dir, kThreeChunks);
  ReplaceBlock(state, 0, ByteBuffer::CopyOf(PlainChunk("ZZZZ", 12)));
  testing::OpenBytes(state, dir, kThreeChunks);
  EXPECT_EQ(state.ChunkSizes[0], 40);
  EXPECT_EQ(state.ChunkTags[0], TagCode(ToBytes("ABCD")));
}

}  // namespace
}  // namespace asrkit
