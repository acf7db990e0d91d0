#pragma once
// The writers' assembly buffer: bits and big-endian (or little-endian) words appended most
// significant bit first, fields patched once their values are known, and the bytes handed to
// the output file one packet or segment at a time.
//
// The buffer grows when a packet or an object is larger than it (a full-screen picture of
// single pixels needs several megabytes, far more than the 262144 bytes it starts with), so
// nothing is ever written past its end and no subtitle is cut or skipped.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class BitBuffer {
 public:
  // Writes into `buf` from byte 0; the vector is enlarged when the output needs more room.
  explicit BitBuffer(std::vector<uint8_t>& buf) : buf_(buf) {}

  uint32_t outLen = 0;   // bytes in use; the next byte goes to buf[outLen]
  uint8_t bitCount = 0;  // bits waiting in bitAcc, 0 to 7
  uint8_t bitAcc = 0;    // the partial byte, first bit highest

  // Appends the low n bits of value (n = 1 to 16), most significant first.
  void putBits(uint32_t value, int n);
  // Inline: the run encoders call it for nearly every byte they write.
  void putByte(uint8_t b) {
    if (bitCount > 0)
      putBits(b, 8);
    else
      storeByte(b);
  }
  void put16(uint16_t v);
  // Whole bytes at a byte boundary.
  void put24(uint32_t v);
  void put32(uint32_t v);
  void put32LE(uint32_t v);
  void putBytes(std::span<const uint8_t> bytes);
  // Zero bits up to the next byte boundary.
  void align();

  // Stores into bytes already written (lengths and offsets known only later); a position
  // outside them is a programming error and throws std::out_of_range.
  void patch8(uint32_t pos, uint8_t v);
  void patch16(uint32_t pos, uint16_t v);
  void patch24(uint32_t pos, uint32_t v);

  // Starts a new packet at byte 0 (the bytes of the previous one stay until overwritten).
  void restart() {
    outLen = 0;
    bitCount = 0;
    bitAcc = 0;
  }
  std::span<const uint8_t> bytes() const { return {buf_.data(), outLen}; }

 private:
  void room(size_t n) {
    if (size_t(outLen) + n > buf_.size()) grow(size_t(outLen) + n);
  }
  void grow(size_t need);
  void checkPatch(uint32_t pos, uint32_t n) const;
  void storeByte(uint8_t b) {
    room(1);
    buf_[outLen++] = b;
  }

  std::vector<uint8_t>& buf_;
};
