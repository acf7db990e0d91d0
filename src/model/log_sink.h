#pragma once
// Where a reader or writer reports what it did: lines of the message log (with the log's
// colour markup) and errors the user must see. The program's state implements it; a test
// may keep the lines.
#include <string_view>

class LogSink {
 public:
  virtual ~LogSink() = default;
  virtual void log(std::string_view line) = 0;
  // Replaces the last line, so that a line that told of work going on becomes its result.
  virtual void logn(std::string_view line) = 0;
  // An error: shown red in the log and in the status bar.
  virtual void erlog(std::string_view message) = 0;
  // A line followed by an empty one.
  void log2(std::string_view line) {
    log(line);
    log("");
  }
};
