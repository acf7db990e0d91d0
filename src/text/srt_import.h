#pragma once
// Turning the lines of an SRT file into a list of picture subtitles drawn from the letter
// sheet.
#include <cstddef>
#include <string>
#include <vector>

#include "model/log_sink.h"
#include "model/progress_sink.h"
#include "model/subtitle.h"
#include "render/letter_sheet.h"

// What the import works on and with.
struct SrtImport {
  std::vector<TSUP>& subs;         // the list it fills
  std::vector<std::string>& view;  // the file's lines as shown: a cue's number line takes its digits
  LetterSheetState& sheet;         // measures the letters; its baselines place the areas
  int displayWidth;                // lines are wrapped to it and centred on it
  int spacing;                     // "Spacing": columns added after every letter
  LogSink& log;
  // The cue count as the status and a percentage of a quarter of the lines (a cue takes
  // about four); asked before every step whether to stop.
  ProgressSink& progress;
};

// Reads the cues of the file's lines into the list, each lettered to fit the screen, puts
// them in time order one on the screen at a time and places each area. Returns the index of
// the line at which the reading stopped (the number of lines when it read them all).
size_t importSrtLines(const SrtImport& in, const std::vector<std::u32string>& lines);
