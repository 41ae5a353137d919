// Header recognition: exact, case-sensitive, eight bytes or nothing.
#include <gtest/gtest.h>

#include <memory>

#include "archive_builder.h"
#include "archive_format.h"
#include "state_helpers.h"

namespace asrkit {
namespace {

using testing::PrintTo;

using testing::Bytes;

struct HeaderCase {
  std::string name;
  std::string bytes;
  HeaderKind kind;
};

class HeaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderTest, Recognised) {
  const HeaderCase& c = GetParam();
  // Exactly as many bytes as the case holds: a read past them shows in the sanitizer build.
  auto data = std::make_unique<std::uint8_t[]>(c.bytes.size() + (c.bytes.empty() ? 1 : 0));
  std::copy(c.bytes.begin(), c.bytes.end(), data.get());
  EXPECT_EQ(RecogniseHeader({data.get(), c.bytes.size()}), c.kind);
}

using std::string_literals::operator""s;

INSTANTIATE_TEST_SUITE_P(
    Headers, HeaderTest,
    ::testing::Values(
        HeaderCase{"Uncompressed", "Asura   ", HeaderKind::kUncompressed},
        HeaderCase{"UncompressedWithChunks", "Asura   RSCF\x08\0\0\0"s, HeaderKind::kUncompressed},
        HeaderCase{"Compressed", "AsuraCmp", HeaderKind::kCompressed},
        HeaderCase{"CompressedWithData", "AsuraCmp\x01\x02\x03", HeaderKind::kCompressed},
        HeaderCase{"LowerCaseLetter", "asura   ", HeaderKind::kUnrecognised},
        HeaderCase{"UpperCaseLetters", "ASURA   ", HeaderKind::kUnrecognised},
        HeaderCase{"CompressedWrongCase", "AsuraCMP", HeaderKind::kUnrecognised},
        HeaderCase{"NulsForBlanks", "Asura\0\0\0"s, HeaderKind::kUnrecognised},
        HeaderCase{"OneNulForBlank", "Asura  \0"s, HeaderKind::kUnrecognised},
        HeaderCase{"TabForBlank", "Asura\t  ", HeaderKind::kUnrecognised},
        HeaderCase{"SevenBytes", "Asura  ", HeaderKind::kUnrecognised},
        HeaderCase{"FiveBytes", "Asura", HeaderKind::kUnrecognised},
        HeaderCase{"SevenOfCompressed", "AsuraCm", HeaderKind::kUnrecognised},
        HeaderCase{"Empty", "", HeaderKind::kUnrecognised}),
    testing::CaseName<HeaderCase>);

}  // namespace
}  // namespace asrkit
