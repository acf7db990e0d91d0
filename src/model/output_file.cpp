#include "model/output_file.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <optional>

#include "model/file_error.h"

namespace {
// Links followed before giving up on a loop, as the system itself does.
constexpr int kMaxLinks = 40;

std::optional<std::string> readLink(const std::string& path) {
  std::string buf(PATH_MAX, '\0');
  const ssize_t n = ::readlink(path.c_str(), buf.data(), buf.size());
  if (n < 0 || size_t(n) >= buf.size()) return std::nullopt;
  buf.resize(size_t(n));
  return buf;
}

// The regular file a path names, through any symlinks: the canonical path of an existing
// file, and for a link that points to a file still to be made, the end of its chain.
std::string realTarget(const std::string& path) {
  if (char* real = ::realpath(path.c_str(), nullptr)) {
    std::string out(real);
    ::free(real);
    return out;
  }
  std::string p = path;
  struct stat st {};
  for (int hops = 0; hops < kMaxLinks && ::lstat(p.c_str(), &st) == 0 && S_ISLNK(st.st_mode); ++hops) {
    const auto link = readLink(p);
    if (!link) break;
    const size_t slash = p.rfind('/');
    p = link->starts_with('/') || slash == std::string::npos ? *link : p.substr(0, slash + 1) + *link;
  }
  return p;
}
}  // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
  struct stat st {};
  if (::stat(path_.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    openDirect();
  } else {
    target_ = realTarget(path_);
    openTemporary();
  }
}

void OutputFile::openDirect() {
  const int fd = ::open(path_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) throw openError(path_, errno);
  file_ = ::fdopen(fd, "wb");
  if (!file_) {
    const int err = errno;
    ::close(fd);
    throw openError(path_, err);
  }
}

void OutputFile::openTemporary() {
  tempPath_ = target_ + ".XXXXXX";
  const int fd = ::mkstemp(tempPath_.data());
  if (fd < 0) throw openError(path_, errno);
  // mkstemp makes the file private. A file that is replaced keeps its permissions (and, as far
  // as the user may give it, its owner); a new one gets those a plainly created file gets.
  struct stat old {};
  if (::stat(target_.c_str(), &old) == 0) {
    ::fchmod(fd, old.st_mode & 07777);
    // Only root may give a file to someone else; for anyone else it stays their own.
    const int given = ::fchown(fd, old.st_uid, old.st_gid);
    (void)given;
  } else {
    // The mask can only be read by setting it: files are written from several threads at
    // once ("Save bitmaps"), and none may take the mask while it is briefly 0.
    static std::mutex maskLock;
    mode_t mask;
    {
      const std::lock_guard<std::mutex> hold(maskLock);
      mask = ::umask(0);
      ::umask(mask);
    }
    ::fchmod(fd, 0666 & ~mask);
  }
  file_ = ::fdopen(fd, "wb");
  if (!file_) {
    const int err = errno;
    ::close(fd);
    ::unlink(tempPath_.c_str());
    throw openError(path_, err);
  }
}

OutputFile::~OutputFile() {
  if (!file_) return;
  std::fclose(file_);
  if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
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
  const bool closed = std::fclose(f) == 0;
  const int err = errno;
  if (tempPath_.empty()) {
    if (!closed) throw writeError(path_, err);
    return;
  }
  if (!closed || std::rename(tempPath_.c_str(), target_.c_str()) != 0) {
    const int renameErr = closed ? errno : err;
    ::unlink(tempPath_.c_str());
    throw writeError(path_, renameErr);
  }
}
