#pragma once
// Sinks for the fuzz targets: the work they drive reports as the window's would, and nobody
// reads it. Writing the lines is kept (the detailed log builds every one of them), storing
// them is not.
#include <string_view>

#include "model/log_sink.h"
#include "model/progress_sink.h"

class QuietLog : public LogSink {
 public:
  void log(std::string_view) override {}
  void logn(std::string_view) override {}
  void erlog(std::string_view) override {}
};

class QuietProgress : public ProgressSink {
 public:
  void progress(std::string_view, int) override {}
  bool stopRequested() override { return false; }
};
