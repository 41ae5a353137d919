#include "dds_header.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <utility>
#include <vector>

namespace asrkit::preview {

namespace {

// Offsets from the start of the payload, magic included.
constexpr std::size_t kHeightAt = 12;
constexpr std::size_t kWidthAt = 16;
constexpr std::size_t kMipCountAt = 28;
constexpr std::size_t kPixelFlagsAt = 80;
constexpr std::size_t kFourCcAt = 84;
constexpr std::size_t kBitCountAt = 88;
constexpr std::size_t kMasksAt = 92;  // red, green, blue, alpha
constexpr std::size_t kDxgiFormatAt = kDdsHeaderSize;

constexpr std::uint32_t kAlphaPixels = 0x1;
constexpr std::uint32_t kAlphaOnly = 0x2;
constexpr std::uint32_t kFourCc = 0x4;
constexpr std::uint32_t kRgb = 0x40;
constexpr std::uint32_t kLuminance = 0x20000;

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool Has(std::size_t offset, std::size_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }
  std::optional<std::uint32_t> U32(std::size_t offset) const {
    if (!Has(offset, 4)) return std::nullopt;
    const std::uint8_t* at = bytes_.data() + offset;
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

constexpr std::uint32_t FourCc(const char (&code)[5]) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[0])) |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[1])) << 8 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[2])) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[3])) << 24;
}

std::string Hex(std::uint32_t value) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex = "0x00000000";
  for (int d = 0; d < 8; ++d) hex[9 - d] = kDigits[(value >> (4 * d)) & 0xF];
  return hex;
}

std::string FourCcText(std::uint32_t code) {
  std::string text;
  for (int i = 0; i < 4; ++i) {
    const auto c = static_cast<char>((code >> (8 * i)) & 0xFF);
    if (c < 0x20 || c > 0x7E) return "FourCC " + Hex(code);
    text += c;
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// "A8R8G8B8", "R5G6B5", "X8B8G8R8", "A8L8": channels from the most
// significant bit down, unused bits as X.
std::string MaskName(const DdsHeader& header) {
  struct Channel {
    char letter;
    std::uint32_t mask;
  };
  std::vector<Channel> channels;
  if (header.luminance) {
    channels.push_back({'L', header.masks[0]});
  } else {
    channels.push_back({'R', header.masks[0]});
    channels.push_back({'G', header.masks[1]});
    channels.push_back({'B', header.masks[2]});
  }
  channels.push_back({'A', header.masks[3]});
  std::erase_if(channels, [](const Channel& c) { return c.mask == 0; });
  std::sort(channels.begin(), channels.end(),
            [](const Channel& a, const Channel& b) { return a.mask > b.mask; });
  std::string name;
  int top = static_cast<int>(header.bit_count);
  for (const Channel& c : channels) {
    const int high = 32 - std::countl_zero(c.mask);
    if (high > top) return "masks of " + std::to_string(header.bit_count) + " bits";
    if (high < top) name += "X" + std::to_string(top - high);
    name += c.letter + std::to_string(std::popcount(c.mask));
    top = std::countr_zero(c.mask);
  }
  if (top > 0) name += "X" + std::to_string(top);
  return name.empty() ? std::to_string(header.bit_count) + "-bit, no channels" : name;
}

struct Dxgi {
  std::uint32_t code;
  const char* name;
  DdsEncoding encoding;
  std::array<std::uint32_t, 4> masks;  // for kMasks
};

constexpr std::array<std::uint32_t, 4> kRgbaMasks = {0xFF, 0xFF00, 0xFF0000, 0xFF000000};
constexpr std::array<std::uint32_t, 4> kBgraMasks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
constexpr std::array<std::uint32_t, 4> kBgrxMasks = {0xFF0000, 0xFF00, 0xFF, 0};

constexpr Dxgi kDxgiFormats[] = {
    {28, "R8G8B8A8_UNORM", DdsEncoding::kMasks, kRgbaMasks},
    {29, "R8G8B8A8_UNORM_SRGB", DdsEncoding::kMasks, kRgbaMasks},
    {71, "BC1_UNORM", DdsEncoding::kDxt1, {}},
    {72, "BC1_UNORM_SRGB", DdsEncoding::kDxt1, {}},
    {74, "BC2_UNORM", DdsEncoding::kDxt3, {}},
    {75, "BC2_UNORM_SRGB", DdsEncoding::kDxt3, {}},
    {77, "BC3_UNORM", DdsEncoding::kDxt5, {}},
    {78, "BC3_UNORM_SRGB", DdsEncoding::kDxt5, {}},
    {80, "BC4_UNORM", DdsEncoding::kOther, {}},
    {81, "BC4_SNORM", DdsEncoding::kOther, {}},
    {83, "BC5_UNORM", DdsEncoding::kOther, {}},
    {84, "BC5_SNORM", DdsEncoding::kOther, {}},
    {87, "B8G8R8A8_UNORM", DdsEncoding::kMasks, kBgraMasks},
    {88, "B8G8R8X8_UNORM", DdsEncoding::kMasks, kBgrxMasks},
    {91, "B8G8R8A8_UNORM_SRGB", DdsEncoding::kMasks, kBgraMasks},
    {93, "B8G8R8X8_UNORM_SRGB", DdsEncoding::kMasks, kBgrxMasks},
    {95, "BC6H_UF16", DdsEncoding::kOther, {}},
    {96, "BC6H_SF16", DdsEncoding::kOther, {}},
    {98, "BC7_UNORM", DdsEncoding::kOther, {}},
    {99, "BC7_UNORM_SRGB", DdsEncoding::kOther, {}},
};

void ApplyDxgi(DdsHeader& header, std::uint32_t code) {
  for (const Dxgi& format : kDxgiFormats) {
    if (format.code != code) continue;
    header.format = std::string("DX10 ") + format.name;
    header.encoding = format.encoding;
    if (format.encoding == DdsEncoding::kMasks) {
      header.bit_count = 32;
      header.masks = format.masks;
    }
    return;
  }
  header.format = "DX10 format " + std::to_string(code);
}

void ApplyPixelFormat(DdsHeader& header, const Reader& in) {
  const std::uint32_t flags = *in.U32(kPixelFlagsAt);
  const std::uint32_t four_cc = *in.U32(kFourCcAt);
  if (flags & kFourCc) {
    if (four_cc == FourCc("DXT1")) header.encoding = DdsEncoding::kDxt1;
    if (four_cc == FourCc("DXT3")) header.encoding = DdsEncoding::kDxt3;
    if (four_cc == FourCc("DXT5")) header.encoding = DdsEncoding::kDxt5;
    header.format = FourCcText(four_cc);
    return;
  }
  header.bit_count = *in.U32(kBitCountAt);
  for (std::size_t i = 0; i < 4; ++i) header.masks[i] = *in.U32(kMasksAt + 4 * i);
  if (!(flags & (kAlphaPixels | kAlphaOnly))) header.masks[3] = 0;
  header.luminance = (flags & kLuminance) != 0;
  const bool pixels = (flags & (kRgb | kLuminance | kAlphaOnly)) != 0;
  if (!pixels) {
    header.format = "pixel format flags " + Hex(flags);
    return;
  }
  if (flags & kAlphaOnly && !(flags & (kRgb | kLuminance))) {
    header.masks[0] = header.masks[1] = header.masks[2] = 0;
  }
  header.format = MaskName(header);
  const std::uint32_t bits = header.bit_count;
  if (bits == 8 || bits == 16 || bits == 24 || bits == 32) header.encoding = DdsEncoding::kMasks;
}

std::uint64_t TopLevelSize(const DdsHeader& header) {
  const std::uint64_t width = header.width;
  const std::uint64_t height = header.height;
  const std::uint64_t blocks = ((width + 3) / 4) * ((height + 3) / 4);
  switch (header.encoding) {
    case DdsEncoding::kDxt1:
      return blocks * 8;
    case DdsEncoding::kDxt3:
    case DdsEncoding::kDxt5:
      return blocks * 16;
    case DdsEncoding::kMasks:
      return width * height * (header.bit_count / 8);
    case DdsEncoding::kOther:
      break;
  }
  return 0;
}

Status Malformed(std::string message) { return {ErrorKind::kMalformed, std::move(message)}; }

std::string Bytes(std::size_t count) { return std::to_string(count) + " bytes"; }

}  // namespace

DdsHeader ReadDdsHeader(std::span<const std::uint8_t> payload) {
  DdsHeader header;
  const Reader in(payload);
  if (in.U32(0) != FourCc("DDS ")) {
    header.status = Malformed("not a DDS texture: it does not start with \"DDS \"");
    return header;
  }
  header.height = in.U32(kHeightAt).value_or(0);
  header.width = in.U32(kWidthAt).value_or(0);
  // Writers that make no mipmaps often leave the count at zero.
  if (const auto mips = in.U32(kMipCountAt)) header.mip_count = std::max(*mips, 1u);
  if (!in.Has(0, kDdsHeaderSize)) {
    header.status = Malformed("DDS header cut short: " + Bytes(payload.size()) + " of " +
                              Bytes(kDdsHeaderSize));
    return header;
  }
  header.data_offset = kDdsHeaderSize;
  ApplyPixelFormat(header, in);
  if (*in.U32(kPixelFlagsAt) & kFourCc && *in.U32(kFourCcAt) == FourCc("DX10")) {
    if (!in.Has(kDxgiFormatAt, kDdsDx10HeaderSize)) {
      header.status = Malformed("DX10 header cut short: " + Bytes(payload.size()) + " of " +
                                Bytes(kDdsHeaderSize + kDdsDx10HeaderSize));
      return header;
    }
    header.data_offset += kDdsDx10HeaderSize;
    ApplyDxgi(header, *in.U32(kDxgiFormatAt));
  }
  if (header.width == 0 || header.height == 0 || header.width > kDdsMaxDimension ||
      header.height > kDdsMaxDimension) {
    header.status = Malformed("texture size " + std::to_string(header.width) + " x " +
                              std::to_string(header.height) + " is not between 1 and " +
                              std::to_string(kDdsMaxDimension));
    return header;
  }
  const std::uint64_t needed = TopLevelSize(header);
  const std::size_t available = payload.size() - header.data_offset;
  if (needed > available) {
    header.status = Malformed("texture data cut short: the top level needs " +
                              Bytes(static_cast<std::size_t>(needed)) + ", the payload holds " +
                              Bytes(available));
    return header;
  }
  header.top_level_size = static_cast<std::size_t>(needed);
  return header;
}

std::string DdsFactsLine(const DdsHeader& header) {
  const auto number = [](std::uint32_t n) { return n == 0 ? std::string("?") : std::to_string(n); };
  std::string line = "Texture: " + number(header.width) + " x " + number(header.height) + ", ";
  line += header.format.empty() ? "unknown format" : header.format;
  line += ", " + number(header.mip_count) + (header.mip_count == 1 ? " mip level" : " mip levels");
  return line;
}

}  // namespace asrkit::preview
