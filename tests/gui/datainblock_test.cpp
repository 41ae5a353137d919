// The payload commands through the window: Save to File and Load from File,
// their silent returns, cancel, refusals and the "File loaded: " number.
#include "archive_format.h"
#include "window_fixture.h"

namespace guitest {
namespace {

using asrkit::testing::Archive;
using asrkit::testing::Bytes;
using asrkit::testing::Payload;
using asrkit::testing::PlainChunk;
using asrkit::testing::ReadFile;
using asrkit::testing::ResourceChunk;

class PayloadTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    dds = Payload("DDS ", 32);
    Bytes bad = ResourceChunk("bad.tga", Payload("DDS ", 8));
    bad[25] = 0x10;  // payload size far beyond the chunk
    Open(Write("level1.asr",
               Archive({PlainChunk("WXYZ", 20), ResourceChunk("tex\\rock.tga", dds), bad})));
    folder = dir / "level1";
    start = LogCount();
  }
  Bytes dds;
  std::string folder;
  int start = 0;
};

TEST_F(PayloadTest, SaveToFileWritesThePayloadUnderTheResourceName) {
  SelectRow(2);
  Click("SaveDataButton");
  EXPECT_EQ(LogFrom(start), (QStringList{"Saved to: " + Q(folder + "/rock.dds")}));
  EXPECT_EQ(ReadFile(folder + "/rock.dds"), dds);
}

TEST_F(PayloadTest, BothCommandsIgnoreAChunkThatIsNotAResource) {
  SelectRow(1);
  Click("SaveDataButton");
  Click("LoadDataButton");
  EXPECT_EQ(LogCount(), start);
}

TEST_F(PayloadTest, MalformedResourceIsRefusedWithOneLine) {
  SelectRow(3);
  Click("SaveDataButton");
  ASSERT_EQ(LogCount(), start + 1);
  EXPECT_FALSE(Log().last().startsWith(QStringLiteral("Saved to: ")));
  Click("LoadDataButton");  // refused before any dialog is asked
  const QStringList lines = LogFrom(start + 1);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0], QStringLiteral("Loading material...     "));
  EXPECT_EQ(lines[1], Log()[start]);
}

TEST_F(PayloadTest, LoadFromFileCancelled) {
  SelectRow(2);
  dialogs.CancelFile(QStringLiteral("LoadDataDialog"));
  Click("LoadDataButton");
  EXPECT_EQ(LogFrom(start), (QStringList{"Loading material...     ", "Cancelled!"}));
  EXPECT_TRUE(dialogs.Asked().back().filter.isEmpty());
}

TEST_F(PayloadTest, LoadFromFileThatCannotBeOpenedAddsNoFurtherLine) {
  SelectRow(2);
  const std::int32_t size = form->State.ChunkSizes[1];
  dialogs.AcceptFile(QStringLiteral("LoadDataDialog"), dir / "missing.wav");
  Click("LoadDataButton");
  EXPECT_EQ(LogFrom(start), (QStringList{"Loading material...     "}));
  EXPECT_EQ(form->State.ChunkSizes[1], size);
}

TEST_F(PayloadTest, LoadFromFileReplacesThePayloadAndNamesTheGridRow) {
  SelectRow(2);
  const std::int32_t kept = form->State.ChunkSizes[1] - 32;
  const std::string path = Write("boom.wav", Payload("RIFF", 5));
  dialogs.AcceptFile(QStringLiteral("LoadDataDialog"), path);
  Click("LoadDataButton");
  EXPECT_EQ(LogFrom(start),
            (QStringList{"Loading material...     ", "File loaded: 2: " + Q(path)}));
  // Five bytes padded to eight; the name stays, the kind follows the payload.
  EXPECT_EQ(Row(2),
            (QStringList{"2", "RSCF", "WAV File", "tex\\rock.tga", QString::number(kept + 8), ""}));
  Click("SaveDataButton");
  Bytes expected = Payload("RIFF", 5);
  expected.resize(8, 0);
  EXPECT_EQ(ReadFile(folder + "/rock.wav"), expected);
}

}  // namespace
}  // namespace guitest
