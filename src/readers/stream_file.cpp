#include "readers/stream_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "model/file_error.h"

StreamFile::StreamFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw openError(path, errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const int err = S_ISDIR(st.st_mode) ? EISDIR : errno;
    ::close(fd);
    throw openError(path, err);
  }
  size_ = uint64_t(st.st_size);
  if (size_ > 0) {
    void* p = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
    if (p == MAP_FAILED) {
      const int err = errno;
      ::close(fd);
      throw openError(path, err);
    }
    ::madvise(p, size_, MADV_SEQUENTIAL);
    data_ = static_cast<const uint8_t*>(p);
    mapped_ = true;
  }
  ::close(fd);
}

StreamFile::StreamFile(StreamFile&& other) noexcept
    : data_(other.data_), mapped_(other.mapped_), size_(other.size_), pos_(other.pos_),
      owner_(std::move(other.owner_)) {
  other.mapped_ = false;
  other.data_ = nullptr;
  other.size_ = other.pos_ = 0;
}

StreamFile::~StreamFile() {
  if (mapped_) ::munmap(const_cast<uint8_t*>(data_), size_);
}

void StreamFile::skip(uint64_t n) {
  if (n > remaining()) throw streamReadError();
  pos_ += n;
}

std::span<const uint8_t> StreamFile::take(uint64_t n) {
  const auto bytes = at(pos_, n);
  pos_ += n;
  return bytes;
}

std::span<const uint8_t> StreamFile::at(uint64_t pos, uint64_t n) const {
  if (pos > size_ || n > size_ - pos) throw streamReadError();
  return {data_ + pos, size_t(n)};
}

void StreamFile::adviseRandomAccess() const {
  if (mapped_) ::madvise(const_cast<uint8_t*>(data_), size_, MADV_RANDOM);
}
