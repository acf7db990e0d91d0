#include "export/bit_buffer.h"

#include <cassert>
#include <cstring>
#include <stdexcept>

void BitBuffer::grow(size_t need) {
  size_t size = buf_.empty() ? 4096 : buf_.size();
  while (size < need) size *= 2;
  buf_.resize(size);
}

void BitBuffer::putBits(uint32_t value, int n) {
  assert(n >= 1 && n <= 16);
  for (int i = n - 1; i >= 0; --i) {
    bitAcc = uint8_t(bitAcc << 1 | (value >> i & 1));
    if (++bitCount == 8) {
      storeByte(bitAcc);
      bitCount = 0;
      bitAcc = 0;
    }
  }
}

void BitBuffer::put16(uint16_t v) {
  if (bitCount > 0) {
    putBits(v, 16);
  } else {
    room(2);
    buf_[outLen++] = uint8_t(v >> 8);
    buf_[outLen++] = uint8_t(v);
  }
}

void BitBuffer::put24(uint32_t v) {
  assert(bitCount == 0);
  room(3);
  buf_[outLen++] = uint8_t(v >> 16);
  buf_[outLen++] = uint8_t(v >> 8);
  buf_[outLen++] = uint8_t(v);
}

void BitBuffer::put32(uint32_t v) {
  assert(bitCount == 0);
  room(4);
  for (int shift = 24; shift >= 0; shift -= 8) buf_[outLen++] = uint8_t(v >> shift);
}

void BitBuffer::put32LE(uint32_t v) {
  assert(bitCount == 0);
  room(4);
  for (int shift = 0; shift <= 24; shift += 8) buf_[outLen++] = uint8_t(v >> shift);
}

void BitBuffer::putBytes(std::span<const uint8_t> bytes) {
  assert(bitCount == 0);
  if (bytes.empty()) return;
  room(bytes.size());
  std::memcpy(&buf_[outLen], bytes.data(), bytes.size());
  outLen += uint32_t(bytes.size());
}

void BitBuffer::align() {
  if (bitCount > 0) putBits(0, 8 - bitCount);
}

void BitBuffer::checkPatch(uint32_t pos, uint32_t n) const {
  if (uint64_t(pos) + n > outLen) throw std::out_of_range("patch beyond the bytes written");
}

void BitBuffer::patch8(uint32_t pos, uint8_t v) {
  checkPatch(pos, 1);
  buf_[pos] = v;
}

void BitBuffer::patch16(uint32_t pos, uint16_t v) {
  checkPatch(pos, 2);
  buf_[pos] = uint8_t(v >> 8);
  buf_[pos + 1] = uint8_t(v);
}

void BitBuffer::patch24(uint32_t pos, uint32_t v) {
  checkPatch(pos, 3);
  buf_[pos] = uint8_t(v >> 16);
  buf_[pos + 1] = uint8_t(v >> 8);
  buf_[pos + 2] = uint8_t(v);
}
