// DDS payloads made byte by byte, for the cases no tool writes: odd pixel
// formats, DX10 headers, and headers that lie.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "archive_builder.h"

namespace asrkit::testing {

inline constexpr std::uint32_t kDdpfAlphaPixels = 0x1;
inline constexpr std::uint32_t kDdpfAlpha = 0x2;
inline constexpr std::uint32_t kDdpfFourCc = 0x4;
inline constexpr std::uint32_t kDdpfRgb = 0x40;
inline constexpr std::uint32_t kDdpfLuminance = 0x20000;

struct DdsLayout {
  std::uint32_t width = 2;
  std::uint32_t height = 1;
  std::uint32_t mips = 1;
  std::uint32_t pixel_flags = kDdpfRgb;
  std::string_view four_cc = std::string_view("\0\0\0\0", 4);
  std::uint32_t bit_count = 32;
  std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
  std::optional<std::uint32_t> dxgi;     // adds the DX10 header (and its FourCC)
};

inline Bytes DdsPayload(const DdsLayout& layout, const Bytes& data) {
  Bytes out = ToBytes("DDS ");
  AppendLE32(out, 124);
  AppendLE32(out, 0x1007 | 0x20000);  // caps, height, width, pixel format, mipmap count
  AppendLE32(out, static_cast<std::int32_t>(layout.height));
  AppendLE32(out, static_cast<std::int32_t>(layout.width));
  AppendLE32(out, 0);  // pitch or linear size
  AppendLE32(out, 0);  // depth
  AppendLE32(out, static_cast<std::int32_t>(layout.mips));
  for (int i = 0; i < 11; ++i) AppendLE32(out, 0);
  AppendLE32(out, 32);
  const bool dx10 = layout.dxgi.has_value();
  AppendLE32(out, static_cast<std::int32_t>(dx10 ? kDdpfFourCc : layout.pixel_flags));
  const Bytes four_cc = ToBytes(dx10 ? std::string_view("DX10") : layout.four_cc);
  out.insert(out.end(), four_cc.begin(), four_cc.end());
  AppendLE32(out, static_cast<std::int32_t>(layout.bit_count));
  for (std::uint32_t mask : layout.masks) AppendLE32(out, static_cast<std::int32_t>(mask));
  AppendLE32(out, 0x1000);  // caps: texture
  for (int i = 0; i < 4; ++i) AppendLE32(out, 0);
  if (dx10) {
    AppendLE32(out, static_cast<std::int32_t>(*layout.dxgi));
    AppendLE32(out, 3);  // 2D texture
    AppendLE32(out, 0);
    AppendLE32(out, 1);  // array size
    AppendLE32(out, 0);
  }
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

// An 8 x 8 DXT5 texture: four blocks of counting bytes.
inline Bytes SmallDxt5() {
  Bytes blocks(64);
  for (std::size_t i = 0; i < blocks.size(); ++i) blocks[i] = static_cast<std::uint8_t>(i * 37);
  return DdsPayload({.width = 8, .height = 8, .pixel_flags = kDdpfFourCc, .four_cc = "DXT5"},
                    blocks);
}

}  // namespace asrkit::testing
