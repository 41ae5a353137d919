// The preview behind the Edit button: what it shows for textures, sounds and
// other chunks, its silence outside the chunk rows, and that it changes
// nothing and keeps working from its own copy.
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QWheelEvent>

#include "../preview/dds_builder.h"
#include "../preview/wav_builder.h"
#include "preview/ImageView.h"
#include "preview/PreviewWindow.h"
#include "preview/WaveformView.h"
#include "window_fixture.h"

namespace guitest {
namespace {

using asrkit::testing::Archive;
using asrkit::testing::Bytes;
using asrkit::testing::DdsPayload;
using asrkit::testing::Payload;
using asrkit::testing::PlainChunk;
using asrkit::testing::ResourceChunk;
using asrkit::testing::Wav;
using gui_preview::ImageView;
using gui_preview::PreviewWindow;
using gui_preview::WaveformView;
namespace dds = asrkit::testing;

// A 16 x 8 A8R8G8B8 texture: the left half opaque red, the right half clear.
Bytes HalfClearTexture() {
  Bytes pixels;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool red = x < 8;
      for (std::uint8_t b : {0x00, 0x00, red ? 0xFF : 0x00, red ? 0xFF : 0x00}) pixels.push_back(b);
    }
  }
  return DdsPayload({.width = 16,
                     .height = 8,
                     .pixel_flags = dds::kDdpfRgb | dds::kDdpfAlphaPixels,
                     .masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}},
                    pixels);
}

// Two channels, four frames: a rising left and a falling right channel.
Bytes StereoSound() {
  return Wav({.channels = 2, .rate = 8000}, {-16000, 16000, 0, 8000, 8000, 0, 16000, -16000});
}

class PreviewTest : public WindowTest {
 protected:
  void OpenArchive(const std::vector<Bytes>& chunks) {
    Open(Write("level1.asr", Archive(chunks)));
    start = LogCount();
  }

  std::vector<PreviewWindow*> Previews() const {
    const auto found = form->findChildren<PreviewWindow*>(Qt::FindDirectChildrenOnly);
    return {found.begin(), found.end()};
  }

  // Selects `row`, presses Edit and returns the one window it opened.
  PreviewWindow* Preview(int row) {
    const std::size_t before = Previews().size();
    SelectRow(row);
    Click("EditDataButton");
    const auto after = Previews();
    if (after.size() != before + 1) {
      ADD_FAILURE() << "Edit opened " << after.size() - before << " windows";
      return nullptr;
    }
    PreviewWindow* window = after.back();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    return window;
  }

  static QString Text(const QWidget* window, const char* name) {
    if (auto* label = window->findChild<QLabel*>(QLatin1String(name))) return label->text();
    if (auto* text = window->findChild<QPlainTextEdit*>(QLatin1String(name))) {
      return text->toPlainText();
    }
    ADD_FAILURE() << "no text widget " << name;
    return {};
  }

  int start = 0;
};

// ---------------------------------------------------------------------------
// Which view each kind of chunk gets, with its facts and error lines.

struct ShowCase {
  const char* name;
  Bytes chunk;
  const char* view;  // the object name of the widget that shows the chunk
  const char* facts;
  bool error;         // an "Error: " line above the view
  const char* info4;  // the info line after "Size: ...", or "" when there is none
};

void PrintTo(const ShowCase& c, std::ostream* out) { *out << c.name; }

Bytes BadResource() {
  Bytes chunk = ResourceChunk("bad.tga", Payload("DDS ", 8));
  chunk[25] = 0x10;  // payload size far beyond the chunk
  return chunk;
}

const ShowCase kShowCases[] = {
    {"Dxt5Texture", ResourceChunk("tex\\rock.tga", dds::SmallDxt5()), "PreviewImage",
     "Texture: 8 x 8, DXT5, 1 mip level", false, "Resource name: tex\\rock.tga"},
    {"Bc7TextureIsNotDecoded",
     ResourceChunk("tex\\bc7.tga",
                   DdsPayload({.width = 4, .height = 4, .dxgi = 98}, Bytes(16, 0x55))),
     "PreviewHex", "Texture: 4 x 4, DX10 BC7_UNORM, 1 mip level", true,
     "Resource name: tex\\bc7.tga"},
    {"TextureShorterThanItsHeaderSays",
     ResourceChunk(
         "tex\\cut.tga",
         DdsPayload({.width = 64, .height = 64, .pixel_flags = dds::kDdpfFourCc, .four_cc = "DXT1"},
                    Bytes(100, 0x11))),
     "PreviewHex", "Texture: 64 x 64, DXT1, 1 mip level", true, "Resource name: tex\\cut.tga"},
    {"Sound", ResourceChunk("snd\\boom.wav", StereoSound()), "PreviewWaveform",
     "Sound: 2 channels, 8000 Hz, 16 bits, 4 frames, 0.001 s", false,
     "Resource name: snd\\boom.wav"},
    {"SoundWithoutData", ResourceChunk("snd\\empty.wav", Wav({.with_data = false}, {})),
     "PreviewHex", "Sound: 1 channel, 8000 Hz, 16 bits, 0 frames, 0.000 s", true,
     "Resource name: snd\\empty.wav"},
    {"SoundCutShort",
     ResourceChunk("snd\\cut.wav", Wav({.data_size = 1000}, {100, -100, 200, -200})),
     "PreviewWaveform", "Sound: 1 channel, 8000 Hz, 16 bits, 4 frames, 0.001 s", true,
     "Resource name: snd\\cut.wav"},
    {"OtherPayload", ResourceChunk("misc\\table.dat", Payload("ABCD", 40)), "PreviewHex", "", false,
     "Resource name: misc\\table.dat"},
    {"PlainChunk", PlainChunk("WXYZ", 24), "PreviewHex", "", false, ""},
    {"ResourceOutOfShape", BadResource(), "PreviewHex", "", false, "Resource name: bad.tga"},
};

class PreviewShowTest : public PreviewTest, public ::testing::WithParamInterface<ShowCase> {};

TEST_P(PreviewShowTest, ShowsTheChunkAndChangesNothing) {
  const ShowCase& c = GetParam();
  OpenArchive({PlainChunk("HEAD", 12), c.chunk});
  const QStringList row = Row(2);
  PreviewWindow* window = Preview(2);
  ASSERT_NE(window, nullptr);

  for (const char* view : {"PreviewImage", "PreviewWaveform", "PreviewHex"}) {
    EXPECT_EQ(window->findChild<QWidget*>(QLatin1String(view)) != nullptr,
              std::string_view(view) == c.view)
        << view;
  }
  EXPECT_EQ(Text(window, "PreviewFacts").toStdString(), c.facts);
  const QString error = Text(window, "PreviewError");
  EXPECT_EQ(error.startsWith(QStringLiteral("Error: ")), c.error) << error.toStdString();

  const QStringList info = Text(window, "PreviewInfo").split(QLatin1Char('\n'));
  ASSERT_GE(info.size(), 4);
  EXPECT_EQ(info[0], QStringLiteral("Chunk 2 of 2"));
  EXPECT_EQ(info[3], QStringLiteral("Size: %1 bytes").arg(c.chunk.size()));
  EXPECT_EQ(info.value(4).toStdString(), c.info4);
  // Whatever the view could not show, the info names it.
  if (c.error) {
    EXPECT_TRUE(info.filter(QStringLiteral("Error: ")).contains(error));
  }

  EXPECT_FALSE(window->isModal());
  EXPECT_TRUE(window->isWindow());
  EXPECT_EQ(LogCount(), start);
  EXPECT_EQ(Row(2), row);
  EXPECT_EQ(form->Tabela->Row(), 2);
}

INSTANTIATE_TEST_SUITE_P(Chunks, PreviewShowTest, ::testing::ValuesIn(kShowCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------

TEST_F(PreviewTest, TextureAtFullSizeWithItsAlphaOverTheCheckerboard) {
  OpenArchive({ResourceChunk("tex\\half.tga", HalfClearTexture())});
  PreviewWindow* window = Preview(1);
  ASSERT_NE(window, nullptr);
  auto* image = window->findChild<ImageView*>(QStringLiteral("PreviewImage"));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->imageSize(), QSize(16, 8));
  EXPECT_EQ(image->size(), QSize(16, 8));
  EXPECT_EQ(Text(window, "PreviewFacts"), QStringLiteral("Texture: 16 x 8, A8R8G8B8, 1 mip level"));

  const QImage shown = image->grab().toImage();
  EXPECT_EQ(shown.pixelColor(3, 3), QColor(Qt::red));
  EXPECT_EQ(shown.pixelColor(12, 3), ImageView::CheckerColor(12, 3));
  EXPECT_NE(ImageView::CheckerColor(12, 3), ImageView::CheckerColor(3, 3));
}

TEST_F(PreviewTest, ZoomScalesTheTextureFromComboAndCtrlWheel) {
  OpenArchive({ResourceChunk("tex\\half.tga", HalfClearTexture())});
  PreviewWindow* window = Preview(1);
  ASSERT_NE(window, nullptr);
  auto* image = window->findChild<ImageView*>(QStringLiteral("PreviewImage"));
  auto* zoom = window->findChild<QComboBox*>(QStringLiteral("PreviewZoom"));
  ASSERT_NE(image, nullptr);
  ASSERT_NE(zoom, nullptr);
  EXPECT_EQ(zoom->currentText(), QStringLiteral("100%"));

  zoom->setCurrentIndex(zoom->findData(400));
  EXPECT_EQ(image->size(), QSize(64, 32));
  const QImage shown = image->grab().toImage();
  EXPECT_EQ(shown.pixelColor(31, 31), QColor(Qt::red));  // texel (7, 7), scaled up sharp
  EXPECT_EQ(shown.pixelColor(40, 3), ImageView::CheckerColor(40, 3));

  const auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
    const QPointF at(4, 4);
    QWheelEvent event(at, image->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(image, &event);
  };
  wheel(-120, Qt::ControlModifier);
  EXPECT_EQ(image->size(), QSize(32, 16));
  wheel(-120, Qt::NoModifier);  // scrolls, does not zoom
  EXPECT_EQ(image->size(), QSize(32, 16));
  for (int i = 0; i < 5; ++i) wheel(-120, Qt::ControlModifier);  // stops at the smallest step
  EXPECT_EQ(image->size(), QSize(4, 2));
}

TEST_F(PreviewTest, SoundShowsItsFactsAndOneBandPerChannel) {
  OpenArchive({ResourceChunk("snd\\boom.wav", StereoSound())});
  PreviewWindow* window = Preview(1);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Text(window, "PreviewFacts"),
            QStringLiteral("Sound: 2 channels, 8000 Hz, 16 bits, 4 frames, 0.001 s"));
  auto* waveform = window->findChild<WaveformView*>(QStringLiteral("PreviewWaveform"));
  ASSERT_NE(waveform, nullptr);
  EXPECT_EQ(waveform->channelCount(), 2);
  EXPECT_FALSE(waveform->grab().isNull());
}

TEST_F(PreviewTest, HexViewShowsTheChunkFromItsFirstByteInAFixedFont) {
  OpenArchive({PlainChunk("WXYZ", 24), PlainChunk("LONG", 70000)});
  PreviewWindow* small = Preview(1);
  ASSERT_NE(small, nullptr);
  auto* hex = small->findChild<QPlainTextEdit*>(QStringLiteral("PreviewHex"));
  ASSERT_NE(hex, nullptr);
  const QStringList lines = hex->toPlainText().split(QLatin1Char('\n'));
  EXPECT_EQ(lines.first().toStdString(),
            std::string("00000000  57 58 59 5a 18 00 00 00  01 08 0f 16 1d 24 2b 32  "
                        "WXYZ.........$+2"));
  EXPECT_EQ(lines.size(), 2);
  EXPECT_TRUE(QFontInfo(hex->font()).fixedPitch());

  PreviewWindow* large = Preview(2);
  ASSERT_NE(large, nullptr);
  const QStringList long_lines = Text(large, "PreviewHex").split(QLatin1Char('\n'));
  ASSERT_EQ(long_lines.size(), 64 * 1024 / 16 + 1);
  EXPECT_TRUE(long_lines[long_lines.size() - 2].startsWith(QStringLiteral("0000fff0  ")))
      << long_lines[long_lines.size() - 2].toStdString();
  EXPECT_EQ(long_lines.last(), QStringLiteral("... 4464 more bytes not shown"));
}

TEST_F(PreviewTest, EachClickOpensAnotherWindow) {
  OpenArchive({PlainChunk("WXYZ", 24), ResourceChunk("snd\\boom.wav", StereoSound())});
  PreviewWindow* first = Preview(1);
  PreviewWindow* second = Preview(2);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(first->windowTitle(), QStringLiteral("Preview: chunk 1"));
  EXPECT_EQ(second->windowTitle(), QStringLiteral("Preview: chunk 2 - snd\\boom.wav"));
  first->close();  // closing deletes it
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Previews(), (std::vector<PreviewWindow*>{second}));
}

// ---------------------------------------------------------------------------
// A selected row that names no chunk: Edit returns without a window or a line.

struct SilentCase {
  const char* name;
  // Leaves a row selected that is outside 1..ChunkCount.
  void (*select)(PreviewTest& test, TForm1& form, const std::string& bad_archive);
};

void PrintTo(const SilentCase& c, std::ostream* out) { *out << c.name; }

class PreviewSilentTest : public PreviewTest, public ::testing::WithParamInterface<SilentCase> {
 public:
  using PreviewTest::Open;
};

const SilentCase kSilentCases[] = {
    {"RowBelowTheLastChunk",
     [](PreviewTest&, TForm1& form, const std::string&) {
       form.Tabela->SetRowCount(form.State.ChunkCount + 3);
       form.Tabela->SetRow(form.State.ChunkCount + 2);
     }},
    {"AfterAFailedReopen",
     [](PreviewTest& test, TForm1& form, const std::string& bad_archive) {
       form.Tabela->SetRow(2);
       static_cast<PreviewSilentTest&>(test).Open(bad_archive);
       ASSERT_EQ(form.State.ChunkCount, 0);
     }},
};

TEST_P(PreviewSilentTest, EditReturnsWithoutAWindowOrALine) {
  OpenArchive({PlainChunk("WXYZ", 24), PlainChunk("ABCD", 12)});
  const std::string bad = Write("bad.asr", Bytes{'N', 'o', 't', ' ', 'a', 's', 'u', 'r', 'a'});
  GetParam().select(*this, *form, bad);
  const int lines = LogCount();
  ASSERT_TRUE(form->EditDataButton->isEnabled());
  Click("EditDataButton");
  EXPECT_TRUE(Previews().empty());
  EXPECT_EQ(LogCount(), lines);
}

INSTANTIATE_TEST_SUITE_P(Rows, PreviewSilentTest, ::testing::ValuesIn(kSilentCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------

TEST_F(PreviewTest, KeepsItsOwnCopyWhenTheChunkOrTheArchiveChanges) {
  OpenArchive({ResourceChunk("tex\\half.tga", HalfClearTexture()), PlainChunk("WXYZ", 24)});
  PreviewWindow* texture = Preview(1);
  PreviewWindow* hex = Preview(2);
  ASSERT_NE(texture, nullptr);
  ASSERT_NE(hex, nullptr);
  const QString info = Text(texture, "PreviewInfo");
  const QString bytes = Text(hex, "PreviewHex");

  const std::string replacement = Write("new.bin", PlainChunk("NEWC", 16));
  SelectRow(1);
  dialogs.AcceptFile(QStringLiteral("BlockFromFileDialog"), replacement);
  Click("BlockFromFile");
  ASSERT_EQ(Cell(1, 1), QStringLiteral("NEWC"));
  Open(Write("other.asr", Archive({PlainChunk("ONLY", 8)})));
  ASSERT_EQ(form->State.ChunkCount, 1);

  // Painting reads what the windows hold, never the archive they came from.
  EXPECT_FALSE(texture->grab().isNull());
  EXPECT_FALSE(hex->grab().isNull());
  EXPECT_EQ(Text(texture, "PreviewInfo"), info);
  EXPECT_EQ(Text(hex, "PreviewHex"), bytes);
  const QImage shown =
      texture->findChild<ImageView*>(QStringLiteral("PreviewImage"))->grab().toImage();
  EXPECT_EQ(shown.pixelColor(3, 3), QColor(Qt::red));
}

}  // namespace
}  // namespace guitest
