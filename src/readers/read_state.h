#pragma once
// What "Read SUP" shares with the stream reader it calls.
#include <cstdint>

#include "readers/stream_file.h"

struct ReadState {
  StreamFile& file;
  // Subtitles created so far; a reader sets 0 to report a failed read.
  uint32_t count = 0;
};
