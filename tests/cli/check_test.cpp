// asrkit check: exit 0 when the archive opens, else exit 1 and one line why.
#include <gtest/gtest.h>

#include "archive_builder.h"
#include "asrkit_runner.h"

namespace asrkit::testing {
namespace {

Bytes Header() { return ToBytes("Asura   "); }

// The header and then the given chunk header: a tag and a length field.
Bytes WithChunkHeader(std::int32_t length) {
  Bytes out = Header();
  const Bytes tag = ToBytes("TXST");
  out.insert(out.end(), tag.begin(), tag.end());
  AppendLE32(out, length);
  out.resize(out.size() + 32, 0x11);
  return out;
}

struct CheckCase {
  std::string name;
  Bytes file;
  int exit_code;
  std::string says;  // in the one line on stdout or stderr
};

std::vector<CheckCase> Cases() {
  return {
      {"Good", Archive({PlainChunk("TXST", 16), ResourceChunk("a.tga", Payload("DDS ", 8))}), 0,
       "2 chunks"},
      {"GoodWithoutTerminator", Archive({PlainChunk("TXST", 16)}, false), 0, "1 chunks"},
      {"Compressed", ToBytes("AsuraCmp\x10\0\0\0rest"), 1, "compressed"},
      {"Unrecognised", ToBytes("NotAsura\x10\0\0\0rest"), 1, "unrecognised header"},
      {"Empty", {}, 1, "unrecognised header"},
      {"LengthZero", WithChunkHeader(0), 1, "chunk 1 at offset 8 has length 0, below 8"},
      {"LengthNegative", WithChunkHeader(-16), 1, "chunk 1 at offset 8 has length -16, below 8"},
      {"LengthSeven", WithChunkHeader(7), 1, "has length 7, below 8"},
      {"ChunkPastEnd", WithChunkHeader(1000), 1, "runs past the end of the file"},
      {"SecondChunkPastEnd",
       [] {
         Bytes out = Archive({PlainChunk("TXST", 16)}, false);
         const Bytes next = WithChunkHeader(64);
         out.insert(out.end(), next.begin() + 8, next.end());
         return out;
       }(),
       1, "chunk 2 at offset 24 has length 64 and runs past the end"},
      {"HeaderPastEnd",
       [] {
         Bytes out = Header();
         const Bytes tag = ToBytes("TXST\x09");
         out.insert(out.end(), tag.begin(), tag.end());
         return out;
       }(),
       1, "has no room for its 8-byte header"},
      {"NoChunkAtAll", Archive({}), 1, "chunk 1 at offset 8 has no room for its 8-byte header"},
  };
}

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class CheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckTest, SaysWhetherTheArchiveOpens) {
  const CheckCase& c = GetParam();
  TempDir dir;
  const std::string path = dir / "level.asr";
  WriteFile(path, c.file);
  const CliResult result = RunAsrkit({"check", path});
  EXPECT_EQ(result.exit_code, c.exit_code) << result.out << result.err;
  const std::string& said = c.exit_code == 0 ? result.out : result.err;
  const std::string& silent = c.exit_code == 0 ? result.err : result.out;
  ASSERT_EQ(Lines(said).size(), 1U) << said;
  EXPECT_NE(said.find(c.says), std::string::npos) << said;
  EXPECT_EQ(silent, "");
  if (c.exit_code == 0) {
    EXPECT_EQ(said.rfind(path, 0), 0U) << said;
  } else {
    EXPECT_EQ(said.rfind("asrkit: ", 0), 0U) << said;
  }
}

INSTANTIATE_TEST_SUITE_P(Archives, CheckTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

TEST(CheckMissing, FileThatDoesNotExistIsNamed) {
  TempDir dir;
  const CliResult result = RunAsrkit({"check", dir / "none.asr"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(Lines(result.err).size(), 1U);
  EXPECT_NE(result.err.find(dir / "none.asr"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace asrkit::testing
