// Open: the log lines in order, the caption, the grid rows, the progress
// bar and the buttons for each outcome; the chunk list's cells; closing.
#include <string_view>

#include "archive_format.h"
#include "open_archive.h"
#include "window_fixture.h"

namespace guitest {
namespace {

using asrkit::testing::Archive;
using asrkit::testing::Bytes;
using asrkit::testing::Chunk;
using asrkit::testing::Payload;
using asrkit::testing::PlainChunk;
using asrkit::testing::ResourceChunk;
using asrkit::testing::ToBytes;

Bytes ThreeChunks() {
  return Archive({ResourceChunk("tex\\rock.tga", Payload("DDS ", 40)), PlainChunk("WXYZ", 20),
                  ResourceChunk("snd\\boom.wav", Payload("RIFF", 16))});
}

// The lines the model logs for `path`, to compare the window's failure lines with.
QStringList ModelLines(const std::string& path) {
  struct Recorder : asrkit::OpenListener {
    void Log(std::string_view line) override { lines << Q(std::string(line)); }
    QStringList lines;
  } recorder;
  asrkit::ArchiveState state;
  (void)asrkit::OpenArchive(state, path, recorder);
  return recorder.lines;
}

using OpenTest = WindowTest;

TEST_F(OpenTest, CancelLogsTwoLinesAndChangesNothing) {
  dialogs.CancelFile(QStringLiteral("OpenFileDialog"));
  const QString title = form->Caption();
  Click("OpenButton");
  EXPECT_EQ(Log(), (QStringList{"Opening file...", "Cancelled! "}));
  EXPECT_EQ(form->Caption(), title);
  EXPECT_EQ(form->Tabela->RowCount(), 2);
  EXPECT_FALSE(form->SaveButton->isEnabled());
}

TEST_F(OpenTest, ThreeChunkArchiveIsReadListedAndEnablesTheCommands) {
  const Bytes bytes = ThreeChunks();
  const std::string path = Write("level1.asr", bytes);
  Open(path);

  EXPECT_EQ(Log(), (QStringList{"Opening file...", "Done   " + Q(path),
                                "File size " + QString::number(bytes.size()) + " bytes",
                                "Decompressing Asura file.....", "Done   ", "Exploring files...",
                                "Done       ", "Found 3 Chunks of data"}));
  ASSERT_EQ(dialogs.Asked().size(), 1U);
  EXPECT_EQ(dialogs.Asked()[0].filter, form->OpenFileDialog->Filter);
  EXPECT_EQ(form->Caption(), Q(path));
  EXPECT_EQ(form->Tabela->RowCount(), 4);
  EXPECT_EQ(form->ProgressBar1->Max(), 3);
  EXPECT_EQ(form->ProgressBar1->Position(), 2);
  for (TButton* button : CommandButtons()) EXPECT_TRUE(button->isEnabled());
  EXPECT_TRUE(form->State.TableBuilt);
  EXPECT_FALSE(form->State.ImageLoaded);
  EXPECT_EQ(form->State.ChunkCount, 3);
  EXPECT_EQ(Row(2), (QStringList{"2", "WXYZ", "", "", "20", ""}));
}

TEST_F(OpenTest, EmptyFileIsReadThenRefusedAsUnrecognised) {
  const std::string path = Write("empty.asr", {});
  Open(path);
  const QStringList expected = QStringList{"Opening file..."} + ModelLines(path);
  EXPECT_EQ(Log(), expected);
  ASSERT_EQ(Log().size(), 7);
  EXPECT_EQ(Log().mid(1, 5),
            (QStringList{"Done   " + Q(path), "File size 0 bytes", "Decompressing Asura file.....",
                         "Done   ", "Exploring files..."}));
  EXPECT_EQ(form->Caption(), Q(path));
  EXPECT_FALSE(form->State.TableBuilt);
  EXPECT_EQ(form->Tabela->RowCount(), 2);
  for (TButton* button : CommandButtons()) EXPECT_FALSE(button->isEnabled());
}

TEST_F(OpenTest, FailedReopenKeepsOldRowsAndButtonsWithAnEmptyTable) {
  Open(Write("good.asr", ThreeChunks()));
  const QStringList row2 = Row(2);
  const std::string packed = Write("packed.asr", ToBytes("AsuraCmpZZZZZZZZ"));
  const int before = LogCount();
  Open(packed);

  QStringList expected = QStringList{"Opening file..."} + ModelLines(packed);
  EXPECT_EQ(LogFrom(before), expected);
  EXPECT_EQ(form->Caption(), Q(packed));
  EXPECT_EQ(form->State.ChunkCount, 0);
  EXPECT_FALSE(form->State.TableBuilt);
  EXPECT_TRUE(form->State.ImageLoaded);
  EXPECT_EQ(form->Tabela->RowCount(), 4);
  EXPECT_EQ(Row(2), row2);
  for (TButton* button : CommandButtons()) EXPECT_TRUE(button->isEnabled());

  // A cancelled Open leaves them enabled too; the row commands find no chunk.
  dialogs.CancelFile(QStringLiteral("OpenFileDialog"));
  Click("OpenButton");
  for (TButton* button : CommandButtons()) EXPECT_TRUE(button->isEnabled());
  SelectRow(2);
  const int quiet = LogCount();
  for (const char* name : {"BlockToFile", "BlockFromFile", "SaveDataButton", "LoadDataButton"}) {
    Click(name);
  }
  EXPECT_EQ(LogCount(), quiet);
}

TEST_F(OpenTest, UnreadablePathLogsOneLineEndingWithItAndKeepsTheArchive) {
  const std::string good = Write("good.asr", ThreeChunks());
  Open(good);
  const int before = LogCount();
  const std::string missing = dir / "gone.asr";
  Open(missing);
  const QStringList lines = LogFrom(before);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0], QStringLiteral("Opening file..."));
  EXPECT_TRUE(lines[1].endsWith(Q(missing))) << lines[1].toStdString();
  EXPECT_EQ(form->Caption(), Q(good));
  EXPECT_EQ(form->State.ChunkCount, 3);
  EXPECT_TRUE(form->State.TableBuilt);
}

TEST_F(OpenTest, MalformedArchiveIsRefusedWithTheModelsLine) {
  Bytes bytes = Archive({PlainChunk("ABCD", 16), PlainChunk("EFGH", 16)});
  bytes[24 + 4] = 4;  // second chunk, at offset 24, claims a length of 4
  const std::string path = Write("bad.asr", bytes);
  Open(path);
  const QStringList expected = QStringList{"Opening file..."} + ModelLines(path);
  EXPECT_EQ(Log(), expected);
  EXPECT_TRUE(Log().last().contains(QStringLiteral("24"))) << Log().last().toStdString();
  EXPECT_FALSE(form->State.TableBuilt);
  EXPECT_EQ(form->Tabela->RowCount(), 2);
}

// One row of the chunk list: the chunk's bytes and the cells of its row.
struct RowCase {
  const char* name;
  Bytes chunk;
  QStringList cells;  // columns 1..5; column 0 is the number, column 4 the length
};

void PrintTo(const RowCase& c, std::ostream* out) { *out << c.name; }

Bytes WithPayloadSize(Bytes chunk, std::int32_t size) {
  chunk[24] = static_cast<std::uint8_t>(size);
  chunk[25] = static_cast<std::uint8_t>(size >> 8);
  return chunk;
}

class ChunkListTest : public WindowTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(ChunkListTest, RowShowsNumberTagKindNameAndLength) {
  const RowCase& c = GetParam();
  Open(Write("list.asr", Archive({PlainChunk("HEAD", 12), c.chunk})));
  ASSERT_EQ(form->Tabela->RowCount(), 3);
  const QString length = QString::number(c.chunk.size());
  EXPECT_EQ(Row(2), (QStringList{"2"} + c.cells.mid(0, 3) + QStringList{length, ""}));
  EXPECT_EQ(Row(1), (QStringList{"1", "HEAD", "", "", "12", ""}));
  EXPECT_EQ(form->ProgressBar1->Position(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ChunkListTest,
    ::testing::Values(
        RowCase{"Dds",
                ResourceChunk("tex\\rock.tga", Payload("DDS ", 32)),
                {"RSCF", "DDS File", "tex\\rock.tga"}},
        RowCase{"Riff",
                ResourceChunk("snd/boom.wav", Payload("RIFF", 12)),
                {"RSCF", "WAV File", "snd/boom.wav"}},
        RowCase{"OtherPayload",
                ResourceChunk("misc\\x.dat", Payload("ABCD", 8)),
                {"RSCF", "File ", "misc\\x.dat"}},
        RowCase{"EmptyName", ResourceChunk("", Payload("DDS ", 8)), {"RSCF", "DDS File", ""}},
        RowCase{"PlainChunk", PlainChunk("WXYZ", 20), {"WXYZ", "", ""}},
        RowCase{"NulCutsTag", Chunk(std::string_view("AB\0C", 4), Bytes(4, 1)), {"AB", "", ""}},
        RowCase{"LeadingNul", Chunk(std::string_view("\0XYZ", 4), Bytes(4, 1)), {"", "", ""}},
        RowCase{"LowerCaseRscf",
                [] {
                  Bytes chunk = ResourceChunk("a.tga", Payload("DDS ", 8));
                  chunk[0] = 'r', chunk[1] = 's', chunk[2] = 'c', chunk[3] = 'f';
                  return chunk;
                }(),
                {"rscf", "", ""}},
        RowCase{"MalformedResource",
                WithPayloadSize(ResourceChunk("bad.tga", Payload("DDS ", 8)), 1000),
                {"RSCF", "File ", "bad.tga"}}),
    [](const auto& info) { return std::string(info.param.name); });

using CloseTest = WindowTest;

TEST_F(CloseTest, BeforeAnyOpenReleasesNothing) {
  EXPECT_TRUE(form->close());
  EXPECT_FALSE(form->State.TableBuilt);
  EXPECT_FALSE(form->State.ImageLoaded);
  EXPECT_TRUE(Log().isEmpty());
}

TEST_F(CloseTest, AfterOpensReleasesTableThenImageAndAsksNothing) {
  Open(Write("good.asr", ThreeChunks()));
  Open(Write("packed.asr", ToBytes("AsuraCmp")));
  ASSERT_TRUE(form->State.ImageLoaded);
  const QStringList log = Log();
  const QString title = form->Caption();
  EXPECT_TRUE(form->close());
  EXPECT_FALSE(form->State.ImageLoaded);
  EXPECT_FALSE(form->State.TableBuilt);
  EXPECT_EQ(Log(), log);
  EXPECT_EQ(form->Caption(), title);
  EXPECT_EQ(form->Tabela->RowCount(), 4);
}

TEST_F(CloseTest, AfterGoodOpenReleasesTheTable) {
  Open(Write("good.asr", ThreeChunks()));
  ASSERT_TRUE(form->State.TableBuilt);
  EXPECT_TRUE(form->close());
  EXPECT_FALSE(form->State.TableBuilt);
  EXPECT_EQ(form->State.ChunkCount, 0);
}

}  // namespace
}  // namespace guitest
