// The facts of a DDS texture, read from its header with every field and size
// checked against the payload's bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "result.h"

namespace asrkit::preview {

// How the top level's pixels are stored; kOther is anything we cannot decode.
enum class DdsEncoding { kOther, kMasks, kDxt1, kDxt3, kDxt5 };

inline constexpr std::size_t kDdsHeaderSize = 128;        // "DDS " and the 124-byte header
inline constexpr std::size_t kDdsDx10HeaderSize = 20;     // follows when the FourCC is "DX10"
inline constexpr std::uint32_t kDdsMaxDimension = 32768;  // twice what Direct3D allows

struct DdsHeader {
  // What could be read; zero or empty where the payload ended first.
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t mip_count = 0;
  std::string format;  // "DXT5", "A8R8G8B8", "L8", "DX10 BC7_UNORM", ...

  DdsEncoding encoding = DdsEncoding::kOther;
  // For kMasks: bits per pixel (8, 16, 24 or 32) and the red, green, blue and
  // alpha masks; luminance puts the red mask's value in all three colours.
  std::uint32_t bit_count = 0;
  std::array<std::uint32_t, 4> masks{};
  bool luminance = false;

  std::size_t data_offset = 0;     // where the top level starts
  std::size_t top_level_size = 0;  // its bytes; 0 for kOther

  // Ok when the header is whole, the sizes are sane and the top level lies
  // within the payload; otherwise says what is wrong.
  Status status;
};

DdsHeader ReadDdsHeader(std::span<const std::uint8_t> payload);

// "Texture: 64 x 32, DXT5, 7 mip levels", with "?" for what could not be read.
std::string DdsFactsLine(const DdsHeader& header);

}  // namespace asrkit::preview
