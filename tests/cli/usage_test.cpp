// Bad usage ends with status 2 before any file is touched; help and version with 0.
#include <gtest/gtest.h>

#include <filesystem>

#include "archive_builder.h"
#include "asrkit_runner.h"

namespace asrkit::testing {
namespace {

struct UsageCase {
  std::string name;
  std::vector<std::string> args;  // "ARCHIVE" stands for a good archive
};

std::vector<UsageCase> Cases() {
  return {
      {"NoCommand", {}},
      {"UnknownCommand", {"frobnicate", "ARCHIVE"}},
      {"ListWithoutArchive", {"list"}},
      {"ListUnknownOption", {"list", "--yaml", "ARCHIVE"}},
      {"CheckTwoArchives", {"check", "ARCHIVE", "ARCHIVE"}},
      {"ExportChunkWithoutNumber", {"export-chunk", "ARCHIVE"}},
      {"ExportChunkWord", {"export-chunk", "ARCHIVE", "two"}},
      {"ExportChunkHex", {"export-chunk", "ARCHIVE", "0x1"}},
      {"ExportChunkFraction", {"export-chunk", "ARCHIVE", "1.5"}},
      {"ExportChunkNegative", {"export-chunk", "ARCHIVE", "-1"}},
      {"ExportAllExtra", {"export-all", "ARCHIVE", "1"}},
      {"ImportChunkWithoutFile", {"import-chunk", "ARCHIVE", "1"}},
      {"ImportChunkOutputWithoutValue", {"import-chunk", "ARCHIVE", "1", "ARCHIVE", "-o"}},
      {"ImportPayloadWord", {"import-payload", "ARCHIVE", "one", "ARCHIVE"}},
      {"ExportPayloadWithoutNumber", {"export-payload", "ARCHIVE"}},
  };
}

void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }

class UsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageTest, EndsWithStatusTwoAndWritesNothing) {
  TempDir dir;
  const std::string archive = dir / "level.asr";
  const Bytes bytes = Archive({PlainChunk("TXST", 16)});
  WriteFile(archive, bytes);
  std::vector<std::string> args = GetParam().args;
  for (auto& arg : args) {
    if (arg == "ARCHIVE") arg = archive;
  }
  const CliResult result = RunAsrkit(args);
  EXPECT_EQ(result.exit_code, 2) << result.out << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err.rfind("asrkit: ", 0), 0U) << result.err;
  EXPECT_EQ(ReadFile(archive), bytes);
  EXPECT_FALSE(std::filesystem::exists(dir / "level"));
}

INSTANTIATE_TEST_SUITE_P(Arguments, UsageTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

TEST(Usage, HelpNamesEveryCommand) {
  const CliResult result = RunAsrkit({"--help"});
  EXPECT_EQ(result.exit_code, 0);
  for (const char* command : {"list", "check", "export-chunk", "export-all", "import-chunk",
                              "export-payload", "export-payloads", "import-payload"}) {
    EXPECT_NE(result.out.find(command), std::string::npos) << command;
  }
}

TEST(Usage, VersionIsOneLine) {
  const CliResult result = RunAsrkit({"--version"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out.rfind("asrkit ", 0), 0U) << result.out;
  EXPECT_EQ(Lines(result.out).size(), 1U);
}

}  // namespace
}  // namespace asrkit::testing
