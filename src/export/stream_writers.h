#pragma once
// The two stream writers. Each draws every subtitle of the list in turn into the index image
// (with the export flag set by the caller) and encodes it with its palette. The subtitles are
// written in the order of their start, one at a time: one that overlaps the next ends where
// that begins, and one that does not end after its start is left out, each with a line in
// the log (the list itself stays as it is). The file is written under a temporary name and
// put in place at the end, also after a cancel (it then holds the subtitles written so far,
// each complete); after an error it is removed and an existing file of that name stays as it
// was.
// Progress goes to `progress` before each subtitle; the writer stops when it asks to.
#include <cstdint>
#include <string>

#include "model/log_sink.h"
#include "model/progress_sink.h"
#include "render/drawing.h"

// Blu-ray presentation graphics at the frame rate rateCode, of the list's display size (the
// video size a Blu-ray list names). Throws FileError.
void expBD(Drawing& d, const std::string& fileName, uint8_t rateCode, LogSink& log, ProgressSink& progress);
// HD DVD subpicture units. Throws FileError.
void expHD(Drawing& d, const std::string& fileName, LogSink& log, ProgressSink& progress);
