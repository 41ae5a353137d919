#include "hex_dump.h"

#include <algorithm>

namespace asrkit::preview {

namespace {

constexpr char kDigits[] = "0123456789abcdef";
// Three characters a byte, one more for the gap in the middle, no trailing blank.
constexpr std::size_t kHexWidth = kHexLineBytes * 3;

}  // namespace

HexDump DumpHex(std::span<const std::uint8_t> bytes, std::size_t limit) {
  HexDump dump;
  dump.total = bytes.size();
  const auto shown = bytes.first(std::min(bytes.size(), limit));
  dump.lines.reserve((shown.size() + kHexLineBytes - 1) / kHexLineBytes);
  for (std::size_t at = 0; at < shown.size(); at += kHexLineBytes) {
    HexLine line;
    line.offset = static_cast<std::uint32_t>(at);
    const auto row = shown.subspan(at, std::min(kHexLineBytes, shown.size() - at));
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) line.hex += i == kHexLineBytes / 2 ? "  " : " ";
      line.hex += kDigits[row[i] >> 4];
      line.hex += kDigits[row[i] & 0xF];
      line.text += row[i] >= 0x20 && row[i] < 0x7F ? static_cast<char>(row[i]) : '.';
    }
    dump.lines.push_back(std::move(line));
  }
  return dump;
}

std::string FormatHexLine(const HexLine& line) {
  std::string out(8, '0');
  for (int d = 0; d < 8; ++d) out[7 - d] = kDigits[(line.offset >> (4 * d)) & 0xF];
  out += "  ";
  out += line.hex;
  out.append(kHexWidth - std::min(kHexWidth, line.hex.size()), ' ');
  out += "  ";
  out += line.text;
  return out;
}

}  // namespace asrkit::preview
