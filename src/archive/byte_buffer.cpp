#include "byte_buffer.h"

#include <algorithm>

namespace asrkit {

ByteBuffer ByteBuffer::Uninitialised(std::int32_t size) {
  ByteBuffer buffer;
  buffer.data_ = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(size) + 1);
  buffer.data_[static_cast<std::size_t>(size)] = 0;
  buffer.size_ = size;
  return buffer;
}

ByteBuffer ByteBuffer::Zeroed(std::int32_t size) {
  ByteBuffer buffer;
  buffer.data_ = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(size) + 1);
  buffer.size_ = size;
  return buffer;
}

ByteBuffer ByteBuffer::CopyOf(std::span<const std::uint8_t> bytes) {
  ByteBuffer buffer = Uninitialised(static_cast<std::int32_t>(bytes.size()));
  std::copy(bytes.begin(), bytes.end(), buffer.data());
  return buffer;
}

}  // namespace asrkit
