#pragma once
// The cues of an SRT file, read as players read them: a cue starts at its time line (the
// number line above it is optional) and its text runs to the next cue, blank lines inside
// included. Cues that cannot be shown (unreadable or reversed times, no text) are left out,
// each with a note that says why.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "text/srt_time.h"

struct SrtCue {
  int32_t num = 0;
  std::optional<size_t> numberLine;  // the index of its number line, when it has one
  std::string number;                // that line's digits
  CueSpanMs span;
  std::vector<std::u32string> text;  // its non-blank lines, as written
};

struct SrtCueReader {
  std::function<bool(size_t line)> stop;  // asked before each step; true ends the reading
  std::function<void(SrtCue&&)> cue;
  std::function<void(const std::string&)> note;
};

// Reads the lines in order; returns the index of the line at which the reading stopped
// (the number of lines when it read them all).
size_t readSrtCues(const std::vector<std::u32string>& lines, const SrtCueReader& reader);

// A line's characters as ASCII, anything else '?', for the number and time lines.
std::string asciiOf(std::u32string_view line);
// The cue number of a number line (1 to 7 characters): the digits after its last non-digit,
// with blanks at the end ignored, so that a sign in front is dropped.
std::optional<std::string> cueNumberDigits(std::string_view line);
