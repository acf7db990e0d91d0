#pragma once
// Reads run-length codes most significant bit first from the bytes of one area. Bytes past
// the end of the data read as 0, so a code cut off by the end of the data never reads
// outside the buffer.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

class BitReader {
 public:
  explicit BitReader(std::span<const uint8_t> data) : data_(data) {}

  // Starts reading at byte p.
  void prime(size_t p) { bit_ = uint64_t(p) * 8; }
  // The byte that holds the next unread bit.
  size_t bytePos() const { return size_t(bit_ >> 3); }
  // The next n unread bits (1 <= n <= 32), as the low bits of the result.
  uint32_t peek(int n) const { return uint32_t(window() >> (64 - n)); }
  void skip(int n) { bit_ += uint64_t(n); }
  // Moves to the next byte boundary unless already on one.
  void align() { bit_ = (bit_ + 7) & ~uint64_t(7); }

 private:
  // The next 64 bits from the current bit, left-aligned.
  uint64_t window() const {
    const size_t p = bytePos();
    uint64_t w = 0;
    if (p + 8 <= data_.size()) {
      std::memcpy(&w, data_.data() + p, 8);
      if constexpr (std::endian::native == std::endian::little) w = __builtin_bswap64(w);
    } else {
      for (int i = 0; i < 8; ++i) w = w << 8 | (p + size_t(i) < data_.size() ? data_[p + size_t(i)] : 0);
    }
    return w << (bit_ & 7);
  }

  std::span<const uint8_t> data_;
  uint64_t bit_ = 0;
};
