// The waveform's columns: where each frame lands, and a real sound's shape.
#include "waveform.h"

#include <gtest/gtest.h>

#include <string>

#include "archive_builder.h"
#include "external_tools.h"
#include "table_cases.h"
#include "wav_builder.h"

namespace asrkit::testing {
namespace {

using preview::SummariseWaveform;
using preview::WaveColumn;

constexpr float kTop = 32767.0f / 32768.0f;

struct ColumnCase {
  const char* name;
  std::uint16_t channels;
  std::vector<std::int16_t> samples;
  std::uint32_t columns;
  std::vector<std::vector<WaveColumn>> expected;  // [channel][column]
};

class WaveformColumnTest : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(WaveformColumnTest, PutsEveryFrameInItsColumns) {
  const ColumnCase& c = GetParam();
  const auto waveform = SummariseWaveform(Wav({.channels = c.channels}, c.samples), c.columns);
  ASSERT_TRUE(waveform.status.ok()) << waveform.status.message();
  ASSERT_EQ(waveform.channels.size(), c.expected.size());
  for (std::size_t ch = 0; ch < c.expected.size(); ++ch) {
    ASSERT_EQ(waveform.channels[ch].size(), c.expected[ch].size()) << "channel " << ch;
    for (std::size_t col = 0; col < c.expected[ch].size(); ++col) {
      EXPECT_FLOAT_EQ(waveform.channels[ch][col].min, c.expected[ch][col].min)
          << "channel " << ch << " column " << col;
      EXPECT_FLOAT_EQ(waveform.channels[ch][col].max, c.expected[ch][col].max)
          << "channel " << ch << " column " << col;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, WaveformColumnTest,
    ::testing::Values(
        ColumnCase{"TwoFramesAColumn", 1, {0, 16384, -32768, 32767}, 2, {{{0, 0.5f}, {-1, kTop}}}},
        ColumnCase{"FramesSpreadOverMoreColumns",
                   1,
                   {0, 16384, -32768, 32767},
                   8,
                   {{{0, 0},
                     {0, 0},
                     {0.5f, 0.5f},
                     {0.5f, 0.5f},
                     {-1, -1},
                     {-1, -1},
                     {kTop, kTop},
                     {kTop, kTop}}}},
        // Five frames in three columns: 0..0, 1..2, 3..4.
        ColumnCase{"UnevenSplit",
                   1,
                   {-8192, 8192, 16384, -16384, 0},
                   3,
                   {{{-0.25f, -0.25f}, {0.25f, 0.5f}, {-0.5f, 0}}}},
        ColumnCase{
            "ChannelsKeptApart", 2, {16384, -16384, 0, 32767}, 1, {{{0, 0.5f}}, {{-0.5f, kTop}}}},
        ColumnCase{"Silence", 1, {}, 3, {{{0, 0}, {0, 0}, {0, 0}}}}),
    kCaseName);

TEST(WaveformTest, FollowsTheShapeOfARealSound) {
  ASRKIT_REQUIRE_TOOL("sox");
  TempDir dir;
  const std::string wav = dir / "t.wav";
  // Half a second of silence, then half a second of a sine at half scale;
  // no dither, so that silence stays silent.
  ASSERT_TRUE(
      RunTool("sox -D -n -r 22050 -c 2 -b 16 " + wav + " synth 0.5 sine 440 vol 0.5 pad 0.5 0"));
  const auto waveform = SummariseWaveform(ReadFile(wav), 100);
  ASSERT_TRUE(waveform.status.ok()) << waveform.status.message();
  ASSERT_EQ(waveform.channels.size(), 2u);
  for (const auto& channel : waveform.channels) {
    ASSERT_EQ(channel.size(), 100u);
    for (std::size_t col = 0; col < 50; ++col) {
      // sox rings faintly just before the tone starts.
      EXPECT_NEAR(channel[col].min, 0, 0.005) << col;
      EXPECT_NEAR(channel[col].max, 0, 0.005) << col;
    }
    for (std::size_t col = 50; col < 100; ++col) {
      EXPECT_NEAR(channel[col].max, 0.5, 0.02) << col;
      EXPECT_NEAR(channel[col].min, -0.5, 0.02) << col;
    }
  }
}

TEST(WaveformTest, ColumnCountIsKeptWithinBounds) {
  const Bytes wav = Wav({}, {100, 200});
  EXPECT_EQ(SummariseWaveform(wav, 0).channels[0].size(), 1u);
  EXPECT_EQ(SummariseWaveform(wav, 1u << 30).channels[0].size(), 65536u);
}

TEST(WaveformTest, UnreadableSoundGivesNoColumns) {
  const auto waveform = SummariseWaveform(ToBytes("RIFF....WAVEjunk"), 10);
  EXPECT_EQ(waveform.status.kind(), ErrorKind::kMalformed);
  EXPECT_TRUE(waveform.channels.empty());
}

}  // namespace
}  // namespace asrkit::testing
