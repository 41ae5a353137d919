// An owned, fixed-size run of bytes: the archive image and every chunk block.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace asrkit {

class ByteBuffer {
 public:
  ByteBuffer() = default;

  // Room for `size` bytes plus one spare byte that belongs to no chunk. The
  // bytes are left uninitialised: they are always overwritten by a read or a
  // copy, and zeroing 256 MiB first would cost a pass over memory.
  static ByteBuffer Uninitialised(std::int32_t size);
  static ByteBuffer Zeroed(std::int32_t size);
  static ByteBuffer CopyOf(std::span<const std::uint8_t> bytes);

  // Cuts `buffer` into consecutive blocks of the given sizes that share its
  // storage, which lives until the last of them is released. An open copies
  // all chunks with one allocation this way: tens of thousands of small
  // allocations cost twice the time of the copy itself in page faults.
  static std::vector<ByteBuffer> Share(ByteBuffer buffer, std::span<const std::int32_t> sizes);

  std::int32_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  std::uint8_t* data() { return data_; }
  const std::uint8_t* data() const { return data_; }
  std::span<std::uint8_t> bytes() { return {data_, static_cast<std::size_t>(size_)}; }
  std::span<const std::uint8_t> bytes() const { return {data_, static_cast<std::size_t>(size_)}; }

 private:
  std::shared_ptr<std::uint8_t[]> storage_;
  std::uint8_t* data_ = nullptr;
  std::int32_t size_ = 0;
};

}  // namespace asrkit
