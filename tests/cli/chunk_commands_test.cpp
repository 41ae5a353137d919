// export-chunk, export-all and import-chunk: the window's file names and
// lines, the bytes written, and the archive saved with its backup.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "archive_builder.h"
#include "asrkit_runner.h"

namespace asrkit::testing {
namespace {

namespace fs = std::filesystem;

class ChunkCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteFile(archive_, original_); }

  std::string ExportPath(int number) const {
    return dir_ / ("level/BLOCK." + std::to_string(number) + ".bin");
  }

  std::vector<Bytes> chunks_{PlainChunk("TXST", 40), ResourceChunk("a.tga", Payload("DDS ", 12)),
                             PlainChunk("SDEV", 16)};
  Bytes original_ = Archive(chunks_);
  TempDir dir_;
  std::string archive_ = dir_ / "level.asr";
};

TEST_F(ChunkCommandsTest, ExportChunkWritesEachNamedChunk) {
  // "03" is three: numbers are decimal whatever their leading zeros.
  const CliResult result = RunAsrkit({"export-chunk", archive_, "1", "03"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out,
            "Chunk saved to: " + ExportPath(1) + "\nChunk saved to: " + ExportPath(3) + "\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadFile(ExportPath(1)), chunks_[0]);
  EXPECT_EQ(ReadFile(ExportPath(3)), chunks_[2]);
  EXPECT_FALSE(fs::exists(ExportPath(2)));
}

class OutOfRangeTest : public ChunkCommandsTest,
                       public ::testing::WithParamInterface<std::string> {};

TEST_P(OutOfRangeTest, NothingIsWrittenAndStatusIsOne) {
  const std::string number = GetParam();
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"export-chunk", archive_, "1", number},
        {"export-payload", archive_, number},
        {"import-chunk", archive_, number, ExportPath(1)},
        {"import-payload", archive_, number, archive_}}) {
    SCOPED_TRACE(args[0]);
    const CliResult result = RunAsrkit(args);
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "asrkit: Chunk " + number + " is out of range: the archive has 3 chunks\n");
    EXPECT_FALSE(fs::exists(dir_ / "level"));
    EXPECT_EQ(ReadFile(archive_), original_);
    EXPECT_FALSE(fs::exists(archive_ + ".backup"));
  }
}

INSTANTIATE_TEST_SUITE_P(Numbers, OutOfRangeTest,
                         ::testing::Values("0", "4", "4294967297", "99999999999999999999999"));

TEST_F(ChunkCommandsTest, ExportAllWritesEveryChunkQuietlyWhenNotOnATerminal) {
  const CliResult result = RunAsrkit({"export-all", archive_});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, "Saving chunks...                \nSaved.     \n");
  EXPECT_EQ(result.err, "");  // no progress bar into a file
  for (std::size_t i = 0; i < chunks_.size(); ++i) {
    EXPECT_EQ(ReadFile(ExportPath(static_cast<int>(i) + 1)), chunks_[i]) << i;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "level"), fs::directory_iterator()), 3);
}

// A plain file where the export folder should be: nothing can be written.
TEST_F(ChunkCommandsTest, BlockedExportFolderIsReportedNotClaimedAsSaved) {
  WriteFile(dir_ / "level", ToBytes("not a folder"));

  const CliResult one = RunAsrkit({"export-chunk", archive_, "2"});
  EXPECT_EQ(one.exit_code, 1);
  EXPECT_EQ(one.out, "");
  ASSERT_EQ(Lines(one.err).size(), 1U) << one.err;
  EXPECT_EQ(one.err.rfind("asrkit: ", 0), 0U);
  EXPECT_NE(one.err.find(ExportPath(2)), std::string::npos) << one.err;

  const CliResult all = RunAsrkit({"export-all", archive_});
  EXPECT_EQ(all.exit_code, 1);
  EXPECT_EQ(all.out, "Saving chunks...                \n");
  const auto lines = Lines(all.err);
  ASSERT_EQ(lines.size(), 4U) << all.err;
  for (int i = 0; i < 3; ++i) {
    EXPECT_NE(lines[static_cast<std::size_t>(i)].find(ExportPath(i + 1)), std::string::npos);
  }
  EXPECT_EQ(lines[3], "asrkit: Not saved: 3 of 3 chunk files could not be written");
}

TEST_F(ChunkCommandsTest, ImportChunkToOutputLeavesTheArchiveAlone) {
  const Bytes replacement = PlainChunk("NEWC", 24);
  const std::string file = dir_ / "new.bin";
  const std::string out = dir_ / "out.asr";
  WriteFile(file, replacement);

  const CliResult result = RunAsrkit({"import-chunk", archive_, "2", file, "-o", out});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, "Chunk loaded: 2   chunks " + file + "\nSaved.\n");
  EXPECT_EQ(ReadFile(out), Archive({chunks_[0], replacement, chunks_[2]}));
  EXPECT_EQ(ReadFile(archive_), original_);
  EXPECT_FALSE(fs::exists(archive_ + ".backup"));
  EXPECT_FALSE(fs::exists(out + ".backup"));

  const CliResult listed = RunAsrkit({"list", "--json", out});
  EXPECT_NE(
      listed.out.find(R"({"number":2,"offset":48,"tag":"NEWC","kind":"","name":"","size":24})"),
      std::string::npos)
      << listed.out;
}

TEST_F(ChunkCommandsTest, ImportChunkInPlaceKeepsTheFirstBackup) {
  const std::string first = dir_ / "first.bin";
  const std::string second = dir_ / "second.bin";
  WriteFile(first, PlainChunk("ONE!", 12));
  WriteFile(second, PlainChunk("TWO!", 20));

  ASSERT_EQ(RunAsrkit({"import-chunk", archive_, "1", first}).exit_code, 0);
  EXPECT_EQ(ReadFile(archive_ + ".backup"), original_);
  EXPECT_EQ(ReadFile(archive_), Archive({PlainChunk("ONE!", 12), chunks_[1], chunks_[2]}));

  ASSERT_EQ(RunAsrkit({"import-chunk", archive_, "3", second}).exit_code, 0);
  EXPECT_EQ(ReadFile(archive_ + ".backup"), original_);
  EXPECT_EQ(ReadFile(archive_),
            Archive({PlainChunk("ONE!", 12), chunks_[1], PlainChunk("TWO!", 20)}));
}

struct RefusedFile {
  std::string name;
  std::optional<Bytes> content;  // none: the file does not exist
  std::string says;
};

void PrintTo(const RefusedFile& c, std::ostream* os) { *os << c.name; }

class RefusedChunkFileTest : public ChunkCommandsTest,
                             public ::testing::WithParamInterface<RefusedFile> {};

TEST_P(RefusedChunkFileTest, ArchiveIsUnchanged) {
  const std::string file = dir_ / "chunk.bin";
  if (GetParam().content) WriteFile(file, *GetParam().content);
  const CliResult result = RunAsrkit({"import-chunk", archive_, "2", file});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, "");
  ASSERT_EQ(Lines(result.err).size(), 1U) << result.err;
  EXPECT_NE(result.err.find(GetParam().says), std::string::npos) << result.err;
  EXPECT_EQ(ReadFile(archive_), original_);
  EXPECT_FALSE(fs::exists(archive_ + ".backup"));
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedChunkFileTest,
    ::testing::Values(RefusedFile{"ThreeBytes", ToBytes("RSC"), "shorter than its 4-byte tag"},
                      RefusedFile{"Empty", Bytes{}, "shorter than its 4-byte tag"},
                      RefusedFile{"Missing", std::nullopt, "Cannot open"}),
    [](const auto& info) { return info.param.name; });

TEST_F(ChunkCommandsTest, ImportChunkSaveFailureLeavesTheArchive) {
  const std::string file = dir_ / "new.bin";
  WriteFile(file, PlainChunk("NEWC", 24));
  const CliResult result =
      RunAsrkit({"import-chunk", archive_, "2", file, "-o", dir_ / "missing/out.asr"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, "Chunk loaded: 2   chunks " + file + "\n");
  EXPECT_EQ(Lines(result.err).size(), 1U) << result.err;
  EXPECT_EQ(ReadFile(archive_), original_);
}

// A name outside any one ANSI code page: on Windows it must come through the
// command line, the export folder, the import and the save with its backup.
TEST_F(ChunkCommandsTest, NonAsciiArchiveNameRoundTrip) {
  const std::string archive = dir_ / "архив-ü.asr";
  const std::string exported = dir_ / "архив-ü/BLOCK.2.bin";
  WriteFile(archive, original_);

  const CliResult result = RunAsrkit({"export-chunk", archive, "2"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, "Chunk saved to: " + exported + "\n");
  EXPECT_EQ(ReadFile(exported), chunks_[1]);

  const CliResult imported = RunAsrkit({"import-chunk", archive, "1", exported});
  ASSERT_EQ(imported.exit_code, 0) << imported.err;
  EXPECT_EQ(ReadFile(archive), Archive({chunks_[1], chunks_[1], chunks_[2]}));
  EXPECT_EQ(ReadFile(archive + ".backup"), original_);
}

}  // namespace
}  // namespace asrkit::testing
