// The hex view of a chunk: sixteen bytes a line, as offset, hex and text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace asrkit::preview {

inline constexpr std::size_t kHexViewLimit = 64 * 1024;
inline constexpr std::size_t kHexLineBytes = 16;

struct HexLine {
  std::uint32_t offset = 0;
  std::string hex;   // "52 53 43 46 10 00 00 00  00 01 02 ..." (a gap after eight)
  std::string text;  // printable ASCII as it is, anything else as '.'
};

struct HexDump {
  std::vector<HexLine> lines;
  std::size_t total = 0;  // bytes given; more than the lines show when over the limit
};

HexDump DumpHex(std::span<const std::uint8_t> bytes, std::size_t limit = kHexViewLimit);

// "00000010  52 53 43 46 ...  RSCF....", the hex padded so that text columns line up.
std::string FormatHexLine(const HexLine& line);

}  // namespace asrkit::preview
