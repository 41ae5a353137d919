// info and export-payload --png: the facts the window's preview shows, and a
// texture written as a PNG beside its payload file.
#include <gtest/gtest.h>

#include <filesystem>

#include "archive_builder.h"
#include "asrkit_runner.h"
#include "dds_builder.h"

namespace asrkit::testing {
namespace {

namespace fs = std::filesystem;

// 2 x 1 pixels, 32-bit RGBA by masks: red, then half-transparent blue.
Bytes RgbaTexture() {
  return DdsPayload({.width = 2,
                     .height = 1,
                     .pixel_flags = kDdpfRgb | kDdpfAlphaPixels,
                     .bit_count = 32,
                     .masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}},
                    {0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x80});
}

Bytes Bc7Texture() { return DdsPayload({.width = 4, .height = 4, .dxgi = 98}, Bytes(16, 0x11)); }

class PreviewCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(archive_,
              Archive({PlainChunk("ENVS", 24), ResourceChunk("tex\\wall.tga", RgbaTexture()),
                       ResourceChunk("tex\\modern.tga", Bc7Texture())}));
  }
  TempDir dir_;
  std::string archive_ = dir_ / "level.asr";
};

TEST_F(PreviewCommandsTest, InfoDescribesAResourceChunkAndItsTexture) {
  const CliResult result = RunAsrkit({"info", archive_, "2"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  const auto lines = Lines(result.out);
  ASSERT_GE(lines.size(), 8u) << result.out;
  EXPECT_EQ(lines[0], "Chunk 2 of 3");
  EXPECT_EQ(lines[1], "Tag: RSCF");
  EXPECT_EQ(lines[4], "Resource name: tex\\wall.tga");
  EXPECT_EQ(lines[5], "Kind: DDS File");
  EXPECT_EQ(lines[7].rfind("Texture: 2 x 1, ", 0), 0u) << lines[7];
}

TEST_F(PreviewCommandsTest, InfoOnAPlainChunkGivesItsHeaderOnly) {
  const CliResult result = RunAsrkit({"info", archive_, "1"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, "Chunk 1 of 3\nTag: ENVS\nLength field: 24\nSize: 24 bytes\n");
}

TEST_F(PreviewCommandsTest, InfoRefusesAChunkOutsideTheTable) {
  const CliResult result = RunAsrkit({"info", archive_, "4"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err.rfind("asrkit: ", 0), 0u) << result.err;
}

TEST_F(PreviewCommandsTest, PngGoesBesideTheDdsWithTheTextureSize) {
  const CliResult result = RunAsrkit({"export-payload", "--png", archive_, "2"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  const std::string dds = dir_ / "level/wall.dds";
  const std::string png = dir_ / "level/wall.png";
  EXPECT_EQ(result.out, "Saved to: " + dds + "\nSaved to: " + png + "\n");
  EXPECT_EQ(ReadFile(dds), RgbaTexture());
  const Bytes bytes = ReadFile(png);
  ASSERT_GE(bytes.size(), 24u);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 8),
            (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
  // IHDR: width and height, big-endian, at 16 and 20.
  EXPECT_EQ(Bytes(bytes.begin() + 16, bytes.begin() + 24), (Bytes{0, 0, 0, 2, 0, 0, 0, 1}));
}

TEST_F(PreviewCommandsTest, PngOfATextureThatCannotBeDecodedIsReportedAndTheDdsStillWritten) {
  const CliResult result = RunAsrkit({"export-payload", "--png", archive_, "3"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, "Saved to: " + (dir_ / "level/modern.dds") + "\n");
  EXPECT_NE(result.err.find("No PNG for chunk 3"), std::string::npos) << result.err;
  EXPECT_FALSE(fs::exists(dir_ / "level/modern.png"));
}

}  // namespace
}  // namespace asrkit::testing
