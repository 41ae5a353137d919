// A decoded picture: 8-bit red, green, blue, alpha per pixel, rows top to
// bottom with no padding, as the window and the PNG writer both take it.
#pragma once

#include <cstdint>
#include <vector>

namespace asrkit::preview {

struct RgbaImage {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::uint8_t> pixels;  // width * height * 4 bytes

  bool empty() const { return pixels.empty(); }
};

}  // namespace asrkit::preview
