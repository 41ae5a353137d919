// The command line's writers on a disk that fills part-way: a shell sets a
// file size limit and ignores SIGXFSZ before it runs asrkit, so every write
// past the limit fails for real. Each command must exit 1 naming the file,
// keep the earlier file and leave no temporary file behind.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "archive_builder.h"
#include "asrkit_runner.h"

namespace asrkit::testing {
namespace {

namespace fs = std::filesystem;

struct FullDiskCase {
  std::string name;
  std::vector<std::string> args;  // "{A}" is the archive, "{D}" the test folder
  std::string kept;               // a file, relative to the folder, that must not change
};

void PrintTo(const FullDiskCase& c, std::ostream* os) { *os << c.name; }

std::string Quote(const std::string& text) { return "'" + text + "'"; }

class FullDiskTest : public ::testing::TestWithParam<FullDiskCase> {};

TEST_P(FullDiskTest, ExitsOneKeepsTheEarlierFileAndLeavesNoTemporaryFile) {
  const FullDiskCase& c = GetParam();
  TempDir dir;
  const Bytes big_chunk = PlainChunk("ENVS", 64 * 1024);
  const Bytes original =
      Archive({big_chunk, ResourceChunk("tex\\wall.tga", Payload("DDS ", 64 * 1024))});
  WriteFile(dir / "level.asr", original);
  WriteFile(dir / "chunk.bin", big_chunk);
  WriteFile(dir / "payload.dds", Payload("DDS ", 40 * 1024));
  fs::create_directory(dir.path() / "level");
  const Bytes earlier = ToBytes("the earlier file");
  WriteFile(dir / "level/BLOCK.1.bin", earlier);
  WriteFile(dir / "out.asr", earlier);
  const Bytes kept_before = ReadFile(dir / c.kept);

  std::string command = "trap '' XFSZ; ulimit -f 32; exec " + Quote(ASRKIT_BINARY);
  for (std::string arg : c.args) {
    if (arg == "{A}") arg = dir / "level.asr";
    if (arg.starts_with("{D}")) arg = dir / arg.substr(4);
    command += " " + Quote(arg);
  }
  command += " >" + Quote(dir / "stdout.txt") + " 2>" + Quote(dir / "stderr.txt");
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  const Bytes err = ReadFile(dir / "stderr.txt");
  const std::string err_text(err.begin(), err.end());
  EXPECT_EQ(WEXITSTATUS(status), 1) << err_text;
  EXPECT_NE(err_text.find("asrkit: Cannot write"), std::string::npos) << err_text;
  EXPECT_EQ(ReadFile(dir / c.kept), kept_before) << c.kept << " changed";
  EXPECT_FALSE(fs::exists(dir / "level.asr.backup"));
  for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
    EXPECT_FALSE(entry.path().filename().string().starts_with(".asrkit-")) << entry.path();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FullDiskTest,
    ::testing::Values(
        FullDiskCase{
            "ImportChunkInPlace", {"import-chunk", "{A}", "2", "{D}/chunk.bin"}, "level.asr"},
        FullDiskCase{"ImportPayloadToOut",
                     {"import-payload", "{A}", "2", "{D}/payload.dds", "-o", "{D}/out.asr"},
                     "out.asr"},
        FullDiskCase{"ExportAll", {"export-all", "{A}"}, "level/BLOCK.1.bin"},
        FullDiskCase{"ExportChunk", {"export-chunk", "{A}", "1"}, "level/BLOCK.1.bin"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace asrkit::testing
