#include "png_write.h"

#include <png.h>

#include <limits>

#include "file_io.h"

namespace asrkit::preview {

namespace {

// png_image owns libpng's state; freeing it on every path keeps us clear of
// libpng's longjmp, which the simplified interface handles inside.
class PngImage {
 public:
  explicit PngImage(const RgbaImage& source) {
    image_.version = PNG_IMAGE_VERSION;
    image_.width = source.width;
    image_.height = source.height;
    image_.format = PNG_FORMAT_RGBA;
  }
  ~PngImage() { png_image_free(&image_); }
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;
  png_image* get() { return &image_; }
  std::string error() const { return image_.message; }

 private:
  png_image image_{};
};

}  // namespace

PngBytes EncodePng(const RgbaImage& image) {
  PngBytes result;
  const std::uint64_t stride = std::uint64_t{image.width} * 4;
  if (image.width == 0 || image.height == 0 || stride > std::numeric_limits<png_int_32>::max() ||
      image.pixels.size() != stride * image.height) {
    result.status = {ErrorKind::kMalformed, "no picture to write as PNG"};
    return result;
  }
  const auto row_stride = static_cast<png_int_32>(stride);
  png_alloc_size_t size = 0;
  {
    PngImage png(image);
    if (!png_image_write_to_memory(png.get(), nullptr, &size, 0, image.pixels.data(), row_stride,
                                   nullptr)) {
      result.status = {ErrorKind::kMalformed, "PNG encoding failed: " + png.error()};
      return result;
    }
  }
  result.bytes.resize(size);
  PngImage png(image);
  if (!png_image_write_to_memory(png.get(), result.bytes.data(), &size, 0, image.pixels.data(),
                                 row_stride, nullptr)) {
    result.bytes.clear();
    result.status = {ErrorKind::kMalformed, "PNG encoding failed: " + png.error()};
    return result;
  }
  result.bytes.resize(size);
  return result;
}

Status WritePng(const RgbaImage& image, const std::string& path) {
  const PngBytes png = EncodePng(image);
  if (!png.status.ok()) return png.status;
  return WriteWholeFile(path, png.bytes);
}

}  // namespace asrkit::preview
