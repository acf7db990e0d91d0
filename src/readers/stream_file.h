#pragma once
// A stream file opened for reading, mapped into memory, with the big-endian byte readers
// both stream readers share. Every read is checked against the end of the file: the byte
// readers give 0 past the end (and stay there), everything that copies or skips a block
// refuses to reach beyond it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class StreamFile {
 public:
  explicit StreamFile(const std::string& path);  // throws FileError when it cannot be opened
  // A view of bytes in memory (tests, fuzzing); they must outlive the object.
  explicit StreamFile(std::span<const uint8_t> bytes) : data_(bytes.data()), size_(bytes.size()) {}
  // Bytes held in memory (a track taken out of a video file), kept alive while the view is.
  explicit StreamFile(std::shared_ptr<const std::vector<uint8_t>> bytes)
      : data_(bytes->data()), size_(bytes->size()), owner_(std::move(bytes)) {}
  StreamFile(StreamFile&& other) noexcept;
  ~StreamFile();
  StreamFile(const StreamFile&) = delete;
  StreamFile& operator=(const StreamFile&) = delete;

  uint64_t size() const { return size_; }
  uint64_t pos() const { return pos_; }
  uint64_t remaining() const { return size_ - pos_; }
  bool atEnd() const { return pos_ >= size_; }
  void seek(uint64_t pos) { pos_ = pos < size_ ? pos : size_; }

  uint8_t rd8() { return pos_ < size_ ? data_[pos_++] : 0; }
  uint16_t rd16() {
    const uint16_t hi = rd8();
    return uint16_t(hi << 8 | rd8());
  }
  uint32_t rd24() {
    const uint32_t hi = rd16();
    return hi << 8 | rd8();
  }
  uint32_t rd32() {
    const uint32_t hi = rd16();
    return hi << 16 | rd16();
  }
  uint32_t rd32le() {
    const uint32_t b0 = rd8(), b1 = rd8(), b2 = rd8(), b3 = rd8();
    return b0 | b1 << 8 | b2 << 16 | b3 << 24;
  }

  // Values at an absolute position, without moving; bytes past the end count as 0, as for
  // the byte readers.
  uint8_t byteAt(uint64_t pos) const { return pos < size_ ? data_[pos] : 0; }
  uint16_t be16At(uint64_t pos) const { return uint16_t(byteAt(pos) << 8 | byteAt(pos + 1)); }
  uint32_t be32At(uint64_t pos) const { return uint32_t(be16At(pos)) << 16 | be16At(pos + 2); }

  // Moves n bytes on; throws "Stream read error" when fewer remain.
  void skip(uint64_t n);
  // The next n bytes, consumed; throws "Stream read error" when fewer remain.
  std::span<const uint8_t> take(uint64_t n);
  // n bytes at an absolute position, without moving; throws when they are not all there.
  std::span<const uint8_t> at(uint64_t pos, uint64_t n) const;

  // For readers that jump through a large file (a video file's index to its subtitles): the
  // system then reads only the pages touched, not the video around them.
  void adviseRandomAccess() const;

 private:
  const uint8_t* data_ = nullptr;
  bool mapped_ = false;
  uint64_t size_ = 0;
  uint64_t pos_ = 0;
  std::shared_ptr<const std::vector<uint8_t>> owner_;
};
