// The byte layout of an archive: the eight-byte header, the chunk header
// (tag + little-endian length) and the tag code by which chunks are told apart.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace asrkit {

inline constexpr std::string_view kUncompressedHeader = "Asura   ";
inline constexpr std::string_view kCompressedHeader = "AsuraCmp";
inline constexpr std::int32_t kHeaderSize = 8;
inline constexpr std::int32_t kChunkHeaderSize = 8;
inline constexpr std::int32_t kTerminatorSize = 4;

// "RSCF" with its first byte most significant.
inline constexpr std::int32_t TagRSCF = 0x52534346;

enum class HeaderKind { kUncompressed, kCompressed, kUnrecognised };

HeaderKind RecogniseHeader(std::span<const std::uint8_t> image);

// The tag code reads big-endian although the length beside it is
// little-endian; that is how chunks have always been told apart.
std::int32_t TagCode(std::span<const std::uint8_t> chunk);

// The tag as shown to people: up to four bytes, ending at the first NUL and
// never past the chunk's end.
std::string TagText(std::span<const std::uint8_t> chunk);
// The same text as a view into the chunk's bytes, for listings that show
// every chunk and should not copy each tag.
std::string_view TagTextView(std::span<const std::uint8_t> chunk);

std::int32_t ReadLE32(const std::uint8_t* at);
void WriteLE32(std::uint8_t* at, std::int32_t value);

}  // namespace asrkit
