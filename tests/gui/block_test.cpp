// The chunk-file commands through the window: Export Chunk, Export All and
// Import Chunk with their confirmation, dialog, lines and grid refresh.
#include <filesystem>

#include "messages.h"
#include "window_fixture.h"

namespace guitest {
namespace {

using asrkit::testing::Archive;
using asrkit::testing::Bytes;
using asrkit::testing::Payload;
using asrkit::testing::PlainChunk;
using asrkit::testing::ReadFile;
using asrkit::testing::ResourceChunk;

class BlockTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    chunks = {ResourceChunk("tex\\rock.tga", Payload("DDS ", 32)), PlainChunk("WXYZ", 20),
              PlainChunk("QRST", 12)};
    Open(Write("level1.asr", Archive(chunks)));
    folder = dir / "level1";
    start = LogCount();
  }
  std::vector<Bytes> chunks;
  std::string folder;
  int start = 0;
};

TEST_F(BlockTest, ExportChunkWritesTheSelectedChunk) {
  SelectRow(3);
  Click("BlockToFile");
  const std::string path = folder + "/BLOCK.3.bin";
  EXPECT_EQ(LogFrom(start), (QStringList{"Chunk saved to: " + Q(path)}));
  EXPECT_EQ(ReadFile(path), chunks[2]);
}

TEST_F(BlockTest, ExportChunkReportsAFileThatCannotBeWritten) {
  asrkit::testing::WriteFile(folder, Bytes{1});  // a file where the folder should be
  SelectRow(1);
  Click("BlockToFile");
  const QStringList lines = LogFrom(start);
  ASSERT_EQ(lines.size(), 1);
  EXPECT_FALSE(lines[0].startsWith(QStringLiteral("Chunk saved to: "))) << lines[0].toStdString();
}

TEST_F(BlockTest, ExportAllCancelledDoesNothing) {
  dialogs.AnswerBox(false);
  Click("AllBlocksToFile");
  EXPECT_EQ(LogCount(), start);
  EXPECT_FALSE(std::filesystem::exists(folder));
  const toolkit::DialogRequest& box = dialogs.Asked().back();
  EXPECT_EQ(box.text.toStdString(),
            "All chunks of data contained in this file will be saved to a new folder. Do you want "
            "to continue?");
  EXPECT_EQ(box.caption.toStdString(), "Saving Chunks");
}

TEST_F(BlockTest, ExportAllWritesEveryChunkFile) {
  dialogs.AnswerBox(true);
  Click("AllBlocksToFile");
  EXPECT_EQ(LogFrom(start), (QStringList{"Saving chunks...                ", "Saved.     "}));
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    EXPECT_EQ(ReadFile(folder + "/BLOCK." + std::to_string(i + 1) + ".bin"), chunks[i]);
  }
  EXPECT_EQ(form->ProgressBar1->Max(), 3);
  EXPECT_EQ(form->ProgressBar1->Position(), 2);
}

TEST_F(BlockTest, ExportAllReportsEachFailureAndDoesNotClaimSaved) {
  asrkit::testing::WriteFile(folder, Bytes{1});
  dialogs.AnswerBox(true);
  Click("AllBlocksToFile");
  const QStringList lines = LogFrom(start);
  ASSERT_EQ(lines.size(), 5);
  EXPECT_EQ(lines.first(), QStringLiteral("Saving chunks...                "));
  EXPECT_EQ(lines.last().toStdString(), asrkit::msg::ExportAllFailedLine(3, 3));
}

TEST_F(BlockTest, ImportChunkCancelledLeavesTheChunk) {
  SelectRow(2);
  dialogs.CancelFile(QStringLiteral("BlockFromFileDialog"));
  Click("BlockFromFile");
  EXPECT_EQ(LogFrom(start), (QStringList{"Loading RSCF chunk...", "Cancelled!"}));
  EXPECT_EQ(form->State.ChunkSizes[1], 20);
}

TEST_F(BlockTest, ImportChunkReplacesTheChunkAndRefillsTheList) {
  const Bytes replacement = ResourceChunk("snd\\boom.wav", Payload("RIFF", 16));
  const std::string path = Write("new.bin", replacement);
  SelectRow(2);
  dialogs.AcceptFile(QStringLiteral("BlockFromFileDialog"), path);
  Click("BlockFromFile");
  EXPECT_EQ(LogFrom(start),
            (QStringList{"Loading RSCF chunk...", "Chunk loaded: 2   chunks " + Q(path)}));
  EXPECT_EQ(dialogs.Asked().back().filter, form->BlockFromFileDialog->Filter);
  EXPECT_EQ(Row(2), (QStringList{"2", "RSCF", "WAV File", "snd\\boom.wav",
                                 QString::number(replacement.size()), ""}));
  // A resource chunk replaced by a plain one loses its kind and name.
  const std::string plain = Write("plain.bin", PlainChunk("ABCD", 16));
  SelectRow(1);
  dialogs.AcceptFile(QStringLiteral("BlockFromFileDialog"), plain);
  Click("BlockFromFile");
  EXPECT_EQ(Log().last(), "Chunk loaded: 1   chunks " + Q(plain));
  EXPECT_EQ(Row(1), (QStringList{"1", "ABCD", "", "", "16", ""}));
}

TEST_F(BlockTest, ImportChunkRefusesAFileItCannotTakeWithOneLine) {
  SelectRow(3);
  dialogs.AcceptFile(QStringLiteral("BlockFromFileDialog"), dir / "missing.bin");
  Click("BlockFromFile");
  const QStringList lines = LogFrom(start);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0], QStringLiteral("Loading RSCF chunk..."));
  EXPECT_TRUE(lines[1].endsWith(Q(dir / "missing.bin"))) << lines[1].toStdString();
  EXPECT_EQ(Row(3), (QStringList{"3", "QRST", "", "", "12", ""}));
  EXPECT_EQ(form->State.ChunkSizes[2], 12);
}

}  // namespace
}  // namespace guitest
