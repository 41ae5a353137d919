// Sound facts checked against soxi on files sox wrote, and against hand-made
// files that are cut short or lie.
#include "wav_info.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "archive_builder.h"
#include "external_tools.h"
#include "table_cases.h"
#include "wav_builder.h"

namespace asrkit::testing {
namespace {

using preview::ReadWavInfo;
using preview::WavFacts;
using preview::WavFactsLine;

struct SoxCase {
  const char* name;
  std::string format;  // sox output options
};

class SoxFactsTest : public ::testing::TestWithParam<SoxCase> {};

TEST_P(SoxFactsTest, AgreeWithSoxi) {
  ASRKIT_REQUIRE_TOOL("sox");
  ASRKIT_REQUIRE_TOOL("soxi");
  TempDir dir;
  const std::string wav = dir / "t.wav";
  ASSERT_TRUE(RunTool("sox -n " + GetParam().format + " " + wav + " synth 0.3 sine 440"));
  const auto soxi = [&](const char* option) {
    return Output(dir, std::string("soxi ") + option + " " + wav);
  };

  const auto info = ReadWavInfo(ReadFile(wav));
  ASSERT_TRUE(info.status.ok()) << info.status.message();
  EXPECT_EQ(std::to_string(info.facts.channels), soxi("-c"));
  EXPECT_EQ(std::to_string(info.facts.sample_rate), soxi("-r"));
  EXPECT_EQ(std::to_string(info.facts.bits), soxi("-b"));
  EXPECT_EQ(std::to_string(info.facts.frames), soxi("-s"));
  EXPECT_NEAR(info.facts.duration_seconds, std::atof(soxi("-D").c_str()), 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    SoxFiles, SoxFactsTest,
    ::testing::Values(SoxCase{"Stereo16", "-r 22050 -c 2 -b 16"},
                      SoxCase{"Unsigned8", "-r 8000 -c 1 -b 8 -e unsigned-integer"},
                      SoxCase{"Mono24", "-r 44100 -c 1 -b 24"},
                      SoxCase{"Float32", "-r 48000 -c 2 -e floating-point -b 32"},
                      SoxCase{"ULaw", "-r 8000 -c 1 -e u-law"}),
    kCaseName);

struct BadWavCase {
  const char* name;
  Bytes payload;
  std::string error;  // the start of the message
  WavFacts facts;     // what could still be read
};

class BadWavTest : public ::testing::TestWithParam<BadWavCase> {};

TEST_P(BadWavTest, ReportsWhatCouldBeReadAndWhy) {
  const BadWavCase& c = GetParam();
  const auto info = ReadWavInfo(c.payload);
  EXPECT_EQ(info.status.kind(), ErrorKind::kMalformed);
  EXPECT_EQ(info.status.message().substr(0, c.error.size()), c.error) << info.status.message();
  EXPECT_EQ(info.facts.channels, c.facts.channels);
  EXPECT_EQ(info.facts.sample_rate, c.facts.sample_rate);
  EXPECT_EQ(info.facts.bits, c.facts.bits);
  EXPECT_EQ(info.facts.frames, c.facts.frames);
}

Bytes Cut(Bytes bytes, std::size_t size) {
  bytes.resize(size);
  return bytes;
}

const std::vector<std::int16_t> kTenFrames(20, 1000);

INSTANTIATE_TEST_SUITE_P(
    Payloads, BadWavTest,
    ::testing::Values(
        BadWavCase{"Empty", {}, "not a RIFF WAVE sound", {}},
        BadWavCase{"RiffButNotWave",
                   ToBytes("RIFF\x04\x01\x02\x03"
                           "AVI LIST"),
                   "not a RIFF WAVE sound",
                   {}},
        // The data chunk says 1000 bytes; 40 (ten stereo frames) are there.
        BadWavCase{"DataSizeLies",
                   Wav({.channels = 2, .data_size = 1000}, kTenFrames),
                   "sound data cut short: the data chunk states 1000 bytes, the payload holds 40",
                   {2, 8000, 16, 10, 0}},
        BadWavCase{"CutInsideData",
                   Cut(Wav({.channels = 2}, kTenFrames), 44 + 21),
                   "sound data cut short: the data chunk states 40 bytes, the payload holds 21",
                   {2, 8000, 16, 5, 0}},
        BadWavCase{"NoChannels",
                   Wav({.channels = 0}, kTenFrames),
                   "cannot read the sound: ",
                   {0, 8000, 16, 0, 0}},
        BadWavCase{"CutInsideFormat", Cut(Wav({}, kTenFrames), 30), "cannot read the sound: ", {}}),
    kCaseName);

TEST(WavTruncationTest, EveryPrefixOfASoundIsReportedAndOnlyTheWholeIsClean) {
  const Bytes whole = Wav({.channels = 2}, kTenFrames);
  for (std::size_t size = 0; size < whole.size(); ++size) {
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    const auto info = ReadWavInfo(cut);
    EXPECT_EQ(info.status.kind(), ErrorKind::kMalformed) << size << " bytes";
    EXPECT_LE(info.facts.frames, 10) << size << " bytes";
  }
  const auto info = ReadWavInfo(whole);
  EXPECT_TRUE(info.status.ok()) << info.status.message();
  EXPECT_EQ(info.facts.frames, 10);
}

TEST(WavFactsLineTest, SaysEachFactWithItsUnit) {
  EXPECT_EQ(WavFactsLine({2, 22050, 16, 11025, 0.5}),
            "Sound: 2 channels, 22050 Hz, 16 bits, 11025 frames, 0.500 s");
  EXPECT_EQ(WavFactsLine({1, 8000, 0, 1, 0.000125}),
            "Sound: 1 channel, 8000 Hz, ? bits, 1 frame, 0.000 s");
}

}  // namespace
}  // namespace asrkit::testing
