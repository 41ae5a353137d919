#include "archive_format.h"

#include <algorithm>
#include <cstring>

namespace asrkit {

namespace {

bool StartsWith(std::span<const std::uint8_t> image, std::string_view text) {
  return image.size() >= text.size() && std::memcmp(image.data(), text.data(), text.size()) == 0;
}

}  // namespace

HeaderKind RecogniseHeader(std::span<const std::uint8_t> image) {
  if (image.size() < static_cast<std::size_t>(kHeaderSize)) return HeaderKind::kUnrecognised;
  if (StartsWith(image, kCompressedHeader)) return HeaderKind::kCompressed;
  if (StartsWith(image, kUncompressedHeader)) return HeaderKind::kUncompressed;
  return HeaderKind::kUnrecognised;
}

std::int32_t TagCode(std::span<const std::uint8_t> chunk) {
  std::uint32_t code = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    code = (code << 8) | (i < chunk.size() ? chunk[i] : 0u);
  }
  return static_cast<std::int32_t>(code);
}

std::string_view TagTextView(std::span<const std::uint8_t> chunk) {
  const auto limit = std::min<std::size_t>(4, chunk.size());
  std::size_t length = 0;
  while (length < limit && chunk[length] != 0) ++length;
  return {reinterpret_cast<const char*>(chunk.data()), length};
}

std::string TagText(std::span<const std::uint8_t> chunk) { return std::string(TagTextView(chunk)); }

std::int32_t ReadLE32(const std::uint8_t* at) {
  const std::uint32_t value = std::uint32_t{at[0]} | std::uint32_t{at[1]} << 8 |
                              std::uint32_t{at[2]} << 16 | std::uint32_t{at[3]} << 24;
  return static_cast<std::int32_t>(value);
}

void WriteLE32(std::uint8_t* at, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  at[0] = static_cast<std::uint8_t>(bits);
  at[1] = static_cast<std::uint8_t>(bits >> 8);
  at[2] = static_cast<std::uint8_t>(bits >> 16);
  at[3] = static_cast<std::uint8_t>(bits >> 24);
}

}  // namespace asrkit
