// export-payload, export-payloads and import-payload: file names by resource
// name and kind, the zero padding, and refusals of chunks and files.
#include <gtest/gtest.h>

#include <filesystem>

#include "archive_builder.h"
#include "asrkit_runner.h"

namespace asrkit::testing {
namespace {

namespace fs = std::filesystem;

Bytes WithPayloadSize(Bytes chunk, std::int32_t size) {
  Bytes field;
  AppendLE32(field, size);
  std::copy(field.begin(), field.end(), chunk.begin() + 24);
  return chunk;
}

struct NameCase {
  std::string test_name;
  std::string resource_name;
  Bytes payload;
  std::string file_name;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.test_name; }

class PayloadNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(PayloadNameTest, ExportWritesThePayloadUnderTheResourceBaseName) {
  const NameCase& c = GetParam();
  TempDir dir;
  const std::string archive = dir / "level.asr";
  WriteFile(archive, Archive({PlainChunk("TXST", 16),
                              ResourceChunk(c.resource_name, c.payload, ToBytes("gap"))}));
  const CliResult result = RunAsrkit({"export-payload", archive, "2"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  const std::string path = dir / ("level/" + c.file_name);
  EXPECT_EQ(result.out, "Saved to: " + path + "\n");
  EXPECT_EQ(ReadFile(path), c.payload);
}

INSTANTIATE_TEST_SUITE_P(
    Names, PayloadNameTest,
    ::testing::Values(NameCase{"Dds", "tex\\wall.tga", Payload("DDS ", 64), "wall.dds"},
                      NameCase{"Riff", "snd/boom.wav", Payload("RIFF", 30), "boom.wav"},
                      NameCase{"Other", "c:data.xyz", Payload("ABCD", 9), "data.bin"},
                      NameCase{"NoExtension", "dir\\plain", Payload("DDS ", 8), "plain.dds"},
                      NameCase{"LastDotOnly", "a.b.c", Payload("RIFF", 4), "a.b.wav"},
                      NameCase{"EndsInSeparator", "dir\\", Payload("DDS ", 8), ".dds"},
                      NameCase{"EmptyPayload", "empty.tga", Bytes{}, "empty.bin"}),
    [](const auto& info) { return info.param.test_name; });

class PayloadCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteFile(archive_, original_); }

  std::vector<Bytes> chunks_{
      ResourceChunk("a\\same.tga", Payload("DDS ", 20)),
      PlainChunk("TXST", 16),
      ResourceChunk("b/same.tga", Payload("DDS ", 12)),
      WithPayloadSize(ResourceChunk("bad.tga", Payload("RIFF", 8)), 1000),
      ResourceChunk("snd.wav", Payload("RIFF", 16), ToBytes("xyz")),
  };
  Bytes original_ = Archive(chunks_);
  TempDir dir_;
  std::string archive_ = dir_ / "level.asr";
};

TEST_F(PayloadCommandsTest, ExportPayloadsWritesEveryWellFormedResourceAndReportsTheRest) {
  const CliResult result = RunAsrkit({"export-payloads", archive_});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, "Saved to: " + (dir_ / "level/same.dds") +
                            "\nSaved to: " + (dir_ / "level/same.dds") +
                            "\nSaved to: " + (dir_ / "level/snd.wav") + "\n");
  EXPECT_EQ(result.err,
            "asrkit: Resource chunk 4 is malformed: payload size 1000 does not fit a chunk of 44 "
            "bytes\n");
  // The later chunk with the same file name wins.
  EXPECT_EQ(ReadFile(dir_ / "level/same.dds"), Payload("DDS ", 12));
  EXPECT_EQ(ReadFile(dir_ / "level/snd.wav"), Payload("RIFF", 16));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "level"), fs::directory_iterator()), 2);
}

TEST_F(PayloadCommandsTest, ExportPayloadsOfWellFormedArchiveSucceeds) {
  WriteFile(archive_, Archive({chunks_[1], chunks_[4]}));
  const CliResult result = RunAsrkit({"export-payloads", archive_});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, "Saved to: " + (dir_ / "level/snd.wav") + "\n");
}

struct RefusedChunk {
  std::string name;
  std::string number;
  std::string says;
};

void PrintTo(const RefusedChunk& c, std::ostream* os) { *os << c.name; }

class RefusedChunkTest : public PayloadCommandsTest,
                         public ::testing::WithParamInterface<RefusedChunk> {};

TEST_P(RefusedChunkTest, BothPayloadCommandsRefuse) {
  const std::string file = dir_ / "new.dds";
  WriteFile(file, Payload("DDS ", 8));
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"export-payload", archive_, GetParam().number},
        {"import-payload", archive_, GetParam().number, file}}) {
    SCOPED_TRACE(args[0]);
    const CliResult result = RunAsrkit(args);
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "asrkit: " + GetParam().says + "\n");
    EXPECT_FALSE(fs::exists(dir_ / "level"));
    EXPECT_EQ(ReadFile(archive_), original_);
    EXPECT_FALSE(fs::exists(archive_ + ".backup"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Chunks, RefusedChunkTest,
    ::testing::Values(RefusedChunk{"Plain", "2", "Chunk 2 is not a resource chunk"},
                      RefusedChunk{"Malformed", "4",
                                   "Resource chunk 4 is malformed: payload size 1000 does not "
                                   "fit a chunk of 44 bytes"}),
    [](const auto& info) { return info.param.name; });

TEST_F(PayloadCommandsTest, ExportPayloadGoesOnAfterAFailure) {
  const CliResult result = RunAsrkit({"export-payload", archive_, "2", "5"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, "Saved to: " + (dir_ / "level/snd.wav") + "\n");
  EXPECT_EQ(result.err, "asrkit: Chunk 2 is not a resource chunk\n");
}

TEST_F(PayloadCommandsTest, BlockedExportFolderIsReported) {
  WriteFile(dir_ / "level", ToBytes("not a folder"));
  const CliResult result = RunAsrkit({"export-payload", archive_, "5"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, "");
  ASSERT_EQ(Lines(result.err).size(), 1U) << result.err;
  EXPECT_NE(result.err.find(dir_ / "level/snd.wav"), std::string::npos) << result.err;
}

class PaddingTest : public PayloadCommandsTest, public ::testing::WithParamInterface<int> {};

TEST_P(PaddingTest, ImportPadsToFourAndExportGivesTheFileBack) {
  const auto size = static_cast<std::size_t>(GetParam());
  const Bytes file_bytes = Payload("RIFF", size);
  Bytes padded = file_bytes;
  padded.resize((size + 3) / 4 * 4, 0);
  const std::string file = dir_ / "in.wav";
  const std::string out = dir_ / "out.asr";
  WriteFile(file, file_bytes);

  const CliResult result = RunAsrkit({"import-payload", archive_, "5", file, "-o", out});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, "File loaded: 5: " + file + "\nSaved.\n");
  std::vector<Bytes> expected = chunks_;
  // Same kept header, new length and payload size, padded payload.
  expected[4] = ResourceChunk("snd.wav", padded, ToBytes("xyz"));
  EXPECT_EQ(ReadFile(out), Archive(expected));
  EXPECT_EQ(ReadFile(archive_), original_);

  const CliResult exported = RunAsrkit({"export-payload", out, "5"});
  ASSERT_EQ(exported.exit_code, 0) << exported.err;
  const std::string kind = size >= 4 ? "wav" : "bin";
  EXPECT_EQ(ReadFile(dir_ / ("out/snd." + kind)), padded);
}

INSTANTIATE_TEST_SUITE_P(FileSizes, PaddingTest, ::testing::Values(0, 4, 5, 6, 7, 64));

TEST_F(PayloadCommandsTest, ImportPayloadInPlaceKeepsTheBackup) {
  const std::string file = dir_ / "tex.dds";
  WriteFile(file, Payload("DDS ", 32));
  ASSERT_EQ(RunAsrkit({"import-payload", archive_, "1", file}).exit_code, 0);
  ASSERT_EQ(RunAsrkit({"import-payload", archive_, "1", file}).exit_code, 0);
  EXPECT_EQ(ReadFile(archive_ + ".backup"), original_);
  std::vector<Bytes> expected = chunks_;
  expected[0] = ResourceChunk("a\\same.tga", Payload("DDS ", 32));
  EXPECT_EQ(ReadFile(archive_), Archive(expected));
  const CliResult listed = RunAsrkit({"list", "--json", archive_});
  EXPECT_NE(listed.out.find(R"("kind":"DDS File","name":"a\\same.tga","size":)" +
                            std::to_string(expected[0].size()) + "}"),
            std::string::npos)
      << listed.out;
}

TEST_F(PayloadCommandsTest, ImportPayloadOfAFileThatCannotBeOpenedIsAnError) {
  const CliResult result = RunAsrkit({"import-payload", archive_, "1", dir_ / "none.dds"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, "");
  ASSERT_EQ(Lines(result.err).size(), 1U) << result.err;
  EXPECT_NE(result.err.find("Cannot open"), std::string::npos) << result.err;
  EXPECT_EQ(ReadFile(archive_), original_);
  EXPECT_FALSE(fs::exists(archive_ + ".backup"));
}

}  // namespace
}  // namespace asrkit::testing
