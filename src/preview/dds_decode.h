// The top level of a DDS texture as RGBA pixels: uncompressed formats by
// their channel masks, DXT1, DXT3 and DXT5 through libsquish.
#pragma once

#include <cstdint>
#include <span>

#include "dds_header.h"
#include "result.h"
#include "rgba_image.h"

namespace asrkit::preview {

struct DdsImage {
  DdsHeader header;  // the facts, also when nothing could be decoded
  RgbaImage image;   // empty unless status is ok
  Status status;     // kMalformed as the header says, or kUnsupported
};

DdsImage DecodeDds(std::span<const std::uint8_t> payload);

// Ok when DecodeDds would give pixels for this header; else why not.
Status DecodableStatus(const DdsHeader& header);

}  // namespace asrkit::preview
