// A decoded picture as PNG bytes (libpng), for `asrkit export-payload --png`.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "result.h"
#include "rgba_image.h"

namespace asrkit::preview {

struct PngBytes {
  std::vector<std::uint8_t> bytes;
  Status status;
};

PngBytes EncodePng(const RgbaImage& image);

// Encodes and writes through the archive core's whole-file writer, so a
// failure leaves no half-written file.
Status WritePng(const RgbaImage& image, const std::string& path);

}  // namespace asrkit::preview
