#pragma once
// A log sink that keeps its lines, for tests of core work that reports to the log.
#include <string>
#include <string_view>
#include <vector>

#include "model/log_sink.h"

class RecordingLog : public LogSink {
 public:
  std::vector<std::string> lines;  // errors among them, as they are

  void log(std::string_view line) override { lines.emplace_back(line); }
  void logn(std::string_view line) override {
    if (lines.empty()) lines.emplace_back();
    lines.back() = line;
  }
  void erlog(std::string_view message) override { lines.emplace_back(message); }
  // Every line followed by a line break, as the message log's plain text.
  std::string text() const {
    std::string out;
    for (const std::string& l : lines) out += l + '\n';
    return out;
  }
};
