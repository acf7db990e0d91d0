#include "model/file_error.h"

#include <cstring>

FileError openError(const std::string& name, int err) {
  return FileError("Cannot open file \"" + name + "\". " + std::strerror(err));
}

FileError writeError(const std::string& name, int err) {
  return FileError("Cannot write file \"" + name + "\". " + std::strerror(err));
}

FileError streamReadError() { return FileError("Stream read error"); }
