#pragma once
// A file that is complete or absent: written to a temporary name in the target folder and
// renamed over the target only when everything was written, so that a failed or cancelled
// write never destroys an existing file. Failures throw FileError with the path and reason.
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

class OutputFile {
 public:
  explicit OutputFile(std::string path);
  ~OutputFile();  // an uncommitted file is removed
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void write(const void* data, size_t size);
  void write(std::string_view text) { write(text.data(), text.size()); }
  // Text followed by CR LF.
  void writeLine(std::string_view text);
  // Flushes, closes and renames onto the target.
  void commit();
  // The open stream, for libraries that write through a FILE*; check with checkStream().
  std::FILE* stream() { return file_; }
  void checkStream();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string tempPath_;
  std::FILE* file_ = nullptr;
};
