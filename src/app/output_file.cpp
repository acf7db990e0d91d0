#include "app/output_file.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "app/file_error.h"

OutputFile::OutputFile(std::string path) : path_(std::move(path)), tempPath_(path_ + ".XXXXXX") {
  const int fd = ::mkstemp(tempPath_.data());
  if (fd < 0) throw openError(path_, errno);
  // mkstemp makes the file private; give it the permissions a plainly created file gets.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  file_ = ::fdopen(fd, "wb");
  if (!file_) {
    const int err = errno;
    ::close(fd);
    ::unlink(tempPath_.c_str());
    throw openError(path_, err);
  }
}

OutputFile::~OutputFile() {
  if (file_) {
    std::fclose(file_);
    ::unlink(tempPath_.c_str());
  }
}

void OutputFile::write(const void* data, size_t size) {
  if (size > 0 && std::fwrite(data, 1, size, file_) != size) throw writeError(path_, errno);
}

void OutputFile::writeLine(std::string_view text) {
  write(text);
  write("\r\n", 2);
}

void OutputFile::checkStream() {
  if (std::ferror(file_)) throw writeError(path_, errno ? errno : EIO);
}

void OutputFile::commit() {
  checkStream();
  std::FILE* f = file_;
  file_ = nullptr;
  if (std::fclose(f) != 0) {
    const int err = errno;
    ::unlink(tempPath_.c_str());
    throw writeError(path_, err);
  }
  if (std::rename(tempPath_.c_str(), path_.c_str()) != 0) {
    const int err = errno;
    ::unlink(tempPath_.c_str());
    throw writeError(path_, err);
  }
}
