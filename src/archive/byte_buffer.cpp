#include "byte_buffer.h"

#include <algorithm>
#include <vector>

namespace asrkit {

ByteBuffer ByteBuffer::Uninitialised(std::int32_t size) {
  ByteBuffer buffer;
  buffer.storage_ =
      std::make_shared_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(size) + 1);
  buffer.data_ = buffer.storage_.get();
  buffer.data_[size] = 0;
  buffer.size_ = size;
  return buffer;
}

ByteBuffer ByteBuffer::Zeroed(std::int32_t size) {
  ByteBuffer buffer;
  buffer.storage_ = std::make_shared<std::uint8_t[]>(static_cast<std::size_t>(size) + 1);
  buffer.data_ = buffer.storage_.get();
  buffer.size_ = size;
  return buffer;
}

ByteBuffer ByteBuffer::CopyOf(std::span<const std::uint8_t> bytes) {
  ByteBuffer buffer = Uninitialised(static_cast<std::int32_t>(bytes.size()));
  std::copy(bytes.begin(), bytes.end(), buffer.data());
  return buffer;
}

std::vector<ByteBuffer> ByteBuffer::Share(ByteBuffer buffer, std::span<const std::int32_t> sizes) {
  std::vector<ByteBuffer> blocks(sizes.size());
  std::uint8_t* at = buffer.data_;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    blocks[i].storage_ = buffer.storage_;
    blocks[i].data_ = at;
    blocks[i].size_ = sizes[i];
    at += sizes[i];
  }
  return blocks;
}

}  // namespace asrkit
