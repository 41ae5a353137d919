// The file layer on every platform: the rename that never replaces, and a
// name outside ASCII carried from open to export, import and save.
#include "file_io.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "archive_builder.h"
#include "archive_state.h"
#include "archive_writer.h"
#include "chunk_file.h"
#include "open_archive.h"
#include "state_helpers.h"

namespace asrkit {
namespace {

using testing::PrintTo;

using testing::Archive;
using testing::Bytes;
using testing::PlainChunk;
using testing::ToBytes;

struct RenameCase {
  std::string name;
  bool source;  // "from" exists
  bool target;  // "to" exists
  bool moved;
};

class RenameNoReplaceTest : public ::testing::TestWithParam<RenameCase> {};

TEST_P(RenameNoReplaceTest, MovesOnlyOntoAFreeName) {
  const RenameCase& c = GetParam();
  testing::TempDir dir;
  const std::string from = dir / "from.bin";
  const std::string to = dir / "to.bin";
  if (c.source) testing::WriteFile(from, ToBytes("source"));
  if (c.target) testing::WriteFile(to, ToBytes("target"));

  EXPECT_EQ(RenameNoReplace(from, to), c.moved);
  if (c.moved) {
    EXPECT_FALSE(FileExists(from));
    EXPECT_EQ(testing::ReadFile(to), ToBytes("source"));
    return;
  }
  EXPECT_EQ(FileExists(from), c.source);
  if (c.source) {
    EXPECT_EQ(testing::ReadFile(from), ToBytes("source"));
  }
  EXPECT_EQ(FileExists(to), c.target);
  if (c.target) {
    EXPECT_EQ(testing::ReadFile(to), ToBytes("target")) << "never replaced";
  }
}

INSTANTIATE_TEST_SUITE_P(Names, RenameNoReplaceTest,
                         ::testing::Values(RenameCase{"TargetFree", true, false, true},
                                           RenameCase{"TargetExists", true, true, false},
                                           RenameCase{"SourceMissing", false, true, false},
                                           RenameCase{"NeitherExists", false, false, false}),
                         testing::CaseName<RenameCase>);

// Cyrillic is outside the Western ANSI code page and "ü" outside the Cyrillic
// one: on Windows only the wide API reaches this file.
TEST(NonAsciiNameTest, OpenExportImportAndSaveWithBackup) {
  testing::TempDir dir;
  const std::string path = dir / "архив-ü.asr";
  const Bytes original = Archive({PlainChunk("ABCD", 40), PlainChunk("EFGH", 16)});
  testing::WriteFile(path, original);

  ArchiveState state;
  ASSERT_TRUE(OpenArchive(state, path).ok());
  EXPECT_EQ(state.ArchiveName, "архив-ü");
  const PathResult exported = ExportChunk(state, 1);
  ASSERT_TRUE(exported.status.ok()) << exported.status.message();
  EXPECT_EQ(exported.path, dir / "архив-ü/BLOCK.2.bin");
  EXPECT_EQ(testing::ReadFile(exported.path), PlainChunk("EFGH", 16));

  ASSERT_TRUE(ReadChunkFile(state, 0, exported.path).ok());
  ASSERT_TRUE(SaveArchive(state, path).ok());
  EXPECT_EQ(testing::ReadFile(path), Archive({PlainChunk("EFGH", 16), PlainChunk("EFGH", 16)}));
  EXPECT_EQ(testing::ReadFile(BackupName(path)), original);
  EXPECT_EQ(testing::Listing(dir.path()),
            (std::set<std::string>{"архив-ü", "архив-ü.asr", "архив-ü.asr.backup"}));
}

}  // namespace
}  // namespace asrkit
