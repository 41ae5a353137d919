// Save As through the window: the confirmation, the preset save dialog,
// cancel paths, the written archive and the line for a failed save.
#include "window_fixture.h"

namespace guitest {
namespace {

using asrkit::testing::Archive;
using asrkit::testing::Bytes;
using asrkit::testing::PlainChunk;
using asrkit::testing::ReadFile;

class SaveAsTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    original = Archive({PlainChunk("AAAA", 100), PlainChunk("BBBB", 40), PlainChunk("CCCC", 8)});
    opened = Write("level1.asr", original);
    Open(opened);
    start = LogCount();
  }
  Bytes original;
  std::string opened;
  int start = 0;
};

TEST_F(SaveAsTest, CancelInTheConfirmationDoesNothing) {
  dialogs.AnswerBox(false);
  Click("SaveButton");
  EXPECT_EQ(LogCount(), start);
  ASSERT_EQ(dialogs.Asked().size(), 2U);
  EXPECT_EQ(dialogs.Asked()[1].text.toStdString(), "Do you want to confirm?");
  EXPECT_EQ(dialogs.Asked()[1].caption.toStdString(), "Save As    ");
}

TEST_F(SaveAsTest, CancelInTheSaveDialogTouchesNoFile) {
  dialogs.AnswerBox(true);
  dialogs.CancelFile(QStringLiteral("SaveFileDialog"));
  Click("SaveButton");
  EXPECT_EQ(LogFrom(start), (QStringList{"Saving the file...", "Cancelled!"}));
  EXPECT_EQ(ReadFile(opened), original);
  EXPECT_FALSE(std::filesystem::exists(opened + ".backup"));
}

TEST_F(SaveAsTest, SaveOverTheOpenedFileKeepsABackupAndReportsSaved) {
  form->ProgressBar1->SetPosition(0);
  dialogs.AnswerBox(true);
  dialogs.AcceptFile(QStringLiteral("SaveFileDialog"), opened);
  Click("SaveButton");
  EXPECT_EQ(LogFrom(start), (QStringList{"Saving the file...", "Saved."}));
  // The dialog opened on the archive's own path, with the archive filter.
  ASSERT_EQ(dialogs.Asked().size(), 3U);
  EXPECT_EQ(dialogs.Asked()[2].fileName, Q(opened));
  EXPECT_EQ(dialogs.Asked()[2].filter, form->SaveFileDialog->Filter);
  EXPECT_EQ(ReadFile(opened).size(), 160U);
  EXPECT_EQ(ReadFile(opened), original);
  EXPECT_EQ(ReadFile(opened + ".backup"), original);
  EXPECT_EQ(form->ProgressBar1->Max(), 3);
  EXPECT_EQ(form->ProgressBar1->Position(), 2);
}

TEST_F(SaveAsTest, FailedSaveLogsWhyInsteadOfSaved) {
  const std::string target = dir / "no-such-folder/out.asr";
  dialogs.AnswerBox(true);
  dialogs.AcceptFile(QStringLiteral("SaveFileDialog"), target);
  Click("SaveButton");
  const QStringList lines = LogFrom(start);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0], QStringLiteral("Saving the file..."));
  EXPECT_NE(lines[1], QStringLiteral("Saved."));
  EXPECT_TRUE(lines[1].contains(Q(target))) << lines[1].toStdString();
  EXPECT_FALSE(std::filesystem::exists(target));
}

}  // namespace
}  // namespace guitest
