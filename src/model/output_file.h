#pragma once
// Every file the program writes goes through here, so that no output path is ever replaced
// by a different kind of file and a failed write never destroys what was there:
// - a regular file (or a path still to be made) is written to a temporary name beside it and
//   renamed over it only when everything was written;
// - a symlink is written through: the file it points to is replaced that way, the link stays;
// - a target that exists and is not a regular file (a FIFO, a device such as /dev/null, a
//   terminal or pipe behind /dev/stdout) is opened and written directly, never replaced.
// Failures throw FileError with the path and reason.
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

class OutputFile {
 public:
  explicit OutputFile(std::string path);
  ~OutputFile();  // an uncommitted temporary file is removed; a direct target is closed
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void write(const void* data, size_t size);
  void write(std::string_view text) { write(text.data(), text.size()); }
  // Text followed by CR LF.
  void writeLine(std::string_view text);
  // Flushes and closes; a temporary file is renamed onto its target.
  void commit();
  // The open stream, for libraries that write through a FILE*; check with checkStream().
  std::FILE* stream() { return file_; }
  void checkStream();
  const std::string& path() const { return path_; }

 private:
  void openDirect();
  void openTemporary();

  std::string path_;      // as given, for messages
  std::string target_;    // the regular file the temporary one replaces
  std::string tempPath_;  // empty when the target is written directly
  std::FILE* file_ = nullptr;
};
