// asrkit list: the grid's texts as a table and as JSON, with the file offsets.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "archive_builder.h"
#include "asrkit_runner.h"

namespace asrkit::testing {
namespace {

struct ListedChunk {
  Bytes bytes;
  std::string tag;
  std::string kind;
  std::string name;
};

Bytes WithPayloadSize(Bytes chunk, std::int32_t size) {
  Bytes field;
  AppendLE32(field, size);
  std::copy(field.begin(), field.end(), chunk.begin() + 24);
  return chunk;
}

Bytes WithTag(Bytes chunk, std::string_view tag) {
  std::copy(tag.begin(), tag.end(), chunk.begin());
  return chunk;
}

// One chunk of each kind the list tells apart.
std::vector<ListedChunk> Chunks() {
  return {
      {ResourceChunk("tex\\a.tga", Payload("DDS ", 40)), "RSCF", "DDS File", "tex\\a.tga"},
      {ResourceChunk("snd/b.wav", Payload("RIFF", 21)), "RSCF", "WAV File", "snd/b.wav"},
      {ResourceChunk("c:\\data.xyz", Payload("ABCD", 8)), "RSCF", "File ", "c:\\data.xyz"},
      {PlainChunk("TXST", 100), "TXST", "", ""},
      // Same letters in lower case: not a resource chunk.
      {WithTag(ResourceChunk("low.tga", Payload("DDS ", 8)), "rscf"), "rscf", "", ""},
      // A payload size larger than the chunk: listed, but never read past its end.
      {WithPayloadSize(ResourceChunk("bad.tga", Payload("DDS ", 8)), 1000), "RSCF", "File ",
       "bad.tga"},
  };
}

class ListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<Bytes> bytes;
    for (const auto& chunk : chunks_) bytes.push_back(chunk.bytes);
    WriteFile(archive_, Archive(bytes));
  }

  std::vector<ListedChunk> chunks_ = Chunks();
  TempDir dir_;
  std::string archive_ = dir_ / "level.asr";
};

TEST_F(ListTest, JsonHasEveryChunkWithItsOffset) {
  const CliResult result = RunAsrkit({"list", "--json", archive_});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.err, "");
  const auto json = nlohmann::json::parse(result.out);
  ASSERT_EQ(json.size(), chunks_.size());
  std::int64_t offset = 8;
  for (std::size_t i = 0; i < chunks_.size(); ++i) {
    SCOPED_TRACE(i);
    const auto& row = json[i];
    EXPECT_EQ(row["number"], i + 1);
    EXPECT_EQ(row["offset"], offset);
    EXPECT_EQ(row["tag"], chunks_[i].tag);
    EXPECT_EQ(row["kind"], chunks_[i].kind);
    EXPECT_EQ(row["name"], chunks_[i].name);
    EXPECT_EQ(row["size"], chunks_[i].bytes.size());
    offset += static_cast<std::int64_t>(chunks_[i].bytes.size());
  }
}

TEST_F(ListTest, JsonKeepsTheFieldOrder) {
  const CliResult result = RunAsrkit({"list", "--json", archive_});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  const std::string first = Lines(result.out).at(1);
  EXPECT_EQ(first.substr(0, first.find(",\"size\"")),
            R"({"number":1,"offset":8,"tag":"RSCF","kind":"DDS File","name":"tex\\a.tga")");
}

TEST_F(ListTest, TableHasAlignedColumns) {
  const CliResult result = RunAsrkit({"list", archive_});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  const auto lines = Lines(result.out);
  ASSERT_EQ(lines.size(), chunks_.size() + 1);
  const std::string& header = lines[0];
  const auto tag_at = header.find("Tag");
  const auto kind_at = header.find("Kind");
  const auto name_at = header.find("Name");
  ASSERT_NE(name_at, std::string::npos) << header;
  for (std::size_t i = 0; i < chunks_.size(); ++i) {
    SCOPED_TRACE(lines[i + 1]);
    const std::string& line = lines[i + 1];
    // Numbers and sizes are right-aligned, so every line is as long as the header.
    EXPECT_EQ(line.size(), header.size());
    EXPECT_EQ(line.substr(0, tag_at).find(std::to_string(i + 1)),
              tag_at - 2 - std::to_string(i + 1).size());
    EXPECT_EQ(line.substr(tag_at, chunks_[i].tag.size()), chunks_[i].tag);
    EXPECT_EQ(line.substr(kind_at, chunks_[i].kind.size()), chunks_[i].kind);
    EXPECT_EQ(line.substr(name_at, chunks_[i].name.size()), chunks_[i].name);
    const std::string size = std::to_string(chunks_[i].bytes.size());
    EXPECT_EQ(line.substr(line.size() - size.size()), size);
    if (chunks_[i].name.empty()) {
      EXPECT_EQ(line.substr(kind_at, name_at - kind_at).find_first_not_of(' '), std::string::npos);
    }
  }
}

// Names are 8-bit text; JSON must stay valid UTF-8 whatever they hold.
TEST(ListJson, NameThatIsNotUtf8IsShownWithReplacementCharacters) {
  TempDir dir;
  WriteFile(dir / "level.asr", Archive({ResourceChunk("caf\xE9.tga", Payload("DDS ", 8))}));
  const CliResult result = RunAsrkit({"list", "--json", dir / "level.asr"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(nlohmann::json::parse(result.out)[0]["name"], "caf\uFFFD.tga");
  const CliResult table = RunAsrkit({"list", dir / "level.asr"});
  EXPECT_NE(table.out.find("caf\xE9.tga"), std::string::npos);
}

TEST(ListFailure, ArchiveThatDoesNotOpenGivesOneLineAndStatusOne) {
  TempDir dir;
  WriteFile(dir / "bad.asr", ToBytes("AsuraCmp1234"));
  for (const bool json : {false, true}) {
    std::vector<std::string> args{"list"};
    if (json) args.push_back("--json");
    args.push_back(dir / "bad.asr");
    const CliResult result = RunAsrkit(args);
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(Lines(result.err).size(), 1U) << result.err;
  }
}

}  // namespace
}  // namespace asrkit::testing
