#pragma once
// Errors of the file layer: a file that cannot be opened, read or written. They carry the
// message the user sees (with the file name and the system's reason) and are caught once
// per command, which reports them and restores the idle state.
#include <stdexcept>
#include <string>

class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "Cannot open file "<name>". <reason of errno>"
FileError openError(const std::string& name, int err);
// A write that failed: "Cannot write file "<name>". <reason of errno>"
FileError writeError(const std::string& name, int err);
// Reading past the end of a stream.
FileError streamReadError();
