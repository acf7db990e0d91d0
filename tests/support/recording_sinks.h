#pragma once
// Sinks that keep what work reported, for tests of the work without the program around it.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/log_sink.h"
#include "model/progress_sink.h"

class RecordingLog : public LogSink {
 public:
  std::vector<std::string> lines;
  std::vector<std::string> errors;
  void log(std::string_view line) override { lines.emplace_back(line); }
  void logn(std::string_view line) override {
    if (lines.empty()) lines.emplace_back();
    lines.back() = line;
  }
  void erlog(std::string_view message) override { errors.emplace_back(message); }
  // The lines, each followed by a line break, as the message log's plain text.
  std::string text() const {
    std::string out;
    for (const std::string& l : lines) out += l + '\n';
    return out;
  }
};

class RecordingProgress : public ProgressSink {
 public:
  std::vector<std::pair<std::string, int>> reports;
  void progress(std::string_view status, int position) override { reports.emplace_back(status, position); }
  bool stopRequested() override { return false; }
};
