// A session on an archive of a few thousand chunks: export every chunk, load
// some of them back one command at a time, and get the same bytes.
#include <gtest/gtest.h>

#include <filesystem>

#include "archive_builder.h"
#include "asrkit_runner.h"

namespace asrkit::testing {
namespace {

constexpr int kChunks = 3000;

std::vector<Bytes> ManyChunks() {
  std::vector<Bytes> chunks;
  for (int i = 0; i < kChunks; ++i) {
    const std::string name = "data\\item" + std::to_string(i) + ".tga";
    switch (i % 3) {
      case 0:
        chunks.push_back(ResourceChunk(name, Payload(i % 2 ? "DDS " : "RIFF", 16 + i % 50)));
        break;
      case 1:
        chunks.push_back(PlainChunk("TXST", 8 + (i * 13) % 200));
        break;
      default:
        chunks.push_back(PlainChunk("FCSR", 8 + (i * 7) % 100));
        break;
    }
  }
  return chunks;
}

TEST(RoundTrip, ExportedChunksImportedBackGiveTheSameArchive) {
  TempDir dir;
  const std::string archive = dir / "big.asr";
  const std::vector<Bytes> chunks = ManyChunks();
  const Bytes original = Archive(chunks);
  WriteFile(archive, original);

  const CliResult exported = RunAsrkit({"export-all", archive});
  ASSERT_EQ(exported.exit_code, 0) << exported.err;
  for (const int number : {1, 2, 1500, kChunks}) {
    ASSERT_EQ(ReadFile(dir / ("big/BLOCK." + std::to_string(number) + ".bin")),
              chunks[static_cast<std::size_t>(number - 1)]);
  }

  // Each import saves the whole archive back in place.
  for (const int number : {1, 2, 1500, kChunks}) {
    const std::string file = dir / ("big/BLOCK." + std::to_string(number) + ".bin");
    const CliResult imported = RunAsrkit({"import-chunk", archive, std::to_string(number), file});
    ASSERT_EQ(imported.exit_code, 0) << imported.err;
  }
  EXPECT_EQ(ReadFile(archive), original);
  EXPECT_EQ(ReadFile(archive + ".backup"), original);

  // A chunk moved to another place shows there, and moving it back restores the bytes.
  const std::string out = dir / "moved.asr";
  ASSERT_EQ(RunAsrkit({"import-chunk", archive, "2", dir / "big/BLOCK.1.bin", "-o", out}).exit_code,
            0);
  std::vector<Bytes> moved = chunks;
  moved[1] = chunks[0];
  EXPECT_EQ(ReadFile(out), Archive(moved));
  ASSERT_EQ(RunAsrkit({"import-chunk", out, "2", dir / "big/BLOCK.2.bin"}).exit_code, 0);
  EXPECT_EQ(ReadFile(out), original);

  const CliResult checked = RunAsrkit({"check", archive});
  EXPECT_EQ(checked.out, archive + ": " + std::to_string(kChunks) + " chunks\n");
}

}  // namespace
}  // namespace asrkit::testing
