#pragma once
// What "Read SUP" shares with the stream reader it calls, and where the reader reports.
#include <cstdint>

#include "model/log_sink.h"
#include "model/progress_sink.h"
#include "readers/stream_file.h"

struct ReadState {
  StreamFile& file;
  LogSink& log;
  ProgressSink& progress;
  bool details = false;  // "Detailed info": a log line for every packet and segment
  // Subtitles created so far; a reader sets 0 to report a failed read.
  uint32_t count = 0;
  // The stream is not what its first bytes announced; the command tells the user.
  bool formatError = false;
};

inline constexpr const char* kSubpictureFormatError = "Subpicture format error.";
