#include "dds_decode.h"

#include <squish.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>

namespace asrkit::preview {

namespace {

// One channel of a packed pixel, scaled to eight bits.
class ChannelMask {
 public:
  ChannelMask(std::uint32_t mask, std::uint8_t absent)
      : mask_(mask),
        shift_(mask == 0 ? 0 : std::countr_zero(mask)),
        max_(mask == 0 ? 0 : mask >> shift_),
        absent_(absent) {}

  std::uint8_t operator()(std::uint32_t pixel) const {
    if (mask_ == 0) return absent_;
    const std::uint64_t value = (pixel & mask_) >> shift_;
    if (max_ == 0xFF) return static_cast<std::uint8_t>(value);
    // Masks need not be contiguous; values above max_ are clamped.
    return static_cast<std::uint8_t>(std::min<std::uint64_t>(255, (value * 255 + max_ / 2) / max_));
  }

 private:
  std::uint32_t mask_;
  int shift_;
  std::uint64_t max_;
  std::uint8_t absent_;
};

void DecodeMasks(const DdsHeader& header, std::span<const std::uint8_t> data, RgbaImage& image) {
  const std::size_t bytes_per_pixel = header.bit_count / 8;
  const ChannelMask red(header.masks[0], 0);
  const ChannelMask green(header.luminance ? header.masks[0] : header.masks[1], 0);
  const ChannelMask blue(header.luminance ? header.masks[0] : header.masks[2], 0);
  const ChannelMask alpha(header.masks[3], 255);
  const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
  const std::uint8_t* in = data.data();
  std::uint8_t* out = image.pixels.data();
  for (std::size_t i = 0; i < count; ++i, in += bytes_per_pixel, out += 4) {
    std::uint32_t pixel = 0;
    for (std::size_t b = 0; b < bytes_per_pixel; ++b) pixel |= std::uint32_t{in[b]} << (8 * b);
    out[0] = red(pixel);
    out[1] = green(pixel);
    out[2] = blue(pixel);
    out[3] = alpha(pixel);
  }
}

int SquishFlags(DdsEncoding encoding) {
  switch (encoding) {
    case DdsEncoding::kDxt1:
      return squish::kDxt1;
    case DdsEncoding::kDxt3:
      return squish::kDxt3;
    default:
      return squish::kDxt5;
  }
}

}  // namespace

Status DecodableStatus(const DdsHeader& header) {
  if (!header.status.ok()) return header.status;
  if (header.encoding == DdsEncoding::kOther) {
    return {ErrorKind::kUnsupported, "cannot decode " + header.format};
  }
  return Status::Ok();
}

DdsImage DecodeDds(std::span<const std::uint8_t> payload) {
  DdsImage result;
  result.header = ReadDdsHeader(payload);
  result.status = DecodableStatus(result.header);
  if (!result.status.ok()) return result;

  const DdsHeader& header = result.header;
  // ReadDdsHeader checked that the top level lies within the payload.
  const auto data = payload.subspan(header.data_offset, header.top_level_size);
  RgbaImage& image = result.image;
  image.width = header.width;
  image.height = header.height;
  image.pixels.resize(static_cast<std::size_t>(header.width) * header.height * 4);
  if (header.encoding == DdsEncoding::kMasks) {
    DecodeMasks(header, data, image);
  } else {
    squish::DecompressImage(image.pixels.data(), static_cast<int>(header.width),
                            static_cast<int>(header.height), data.data(),
                            SquishFlags(header.encoding));
  }
  return result;
}

}  // namespace asrkit::preview
