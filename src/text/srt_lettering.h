#pragma once
// The text of an SRT cue made ready for the letter sheet: formatting it cannot show taken
// out, characters turned into the sheet's codes, and lines too wide for the screen wrapped.
// What changed is reported, so that nothing vanishes without a word in the log.
#include <functional>
#include <string>
#include <vector>

struct CueLettering {
  std::vector<std::string> lines;  // Windows-1252, none empty
  std::u32string missing;          // characters without glyph or stand-in
  unsigned removedTags = 0;        // RemovedTag bits
  bool wrapped = false;            // a line was wrapped at a space
  bool broken = false;             // a word too wide for the screen was broken
};

// The width a line takes on the screen when the lines before it leave the letters italic or
// not; `italic` becomes the state after the line.
using LineMeasure = std::function<int(const std::string& line, bool& italic)>;

// The drawable lines of a cue's text lines, none wider than `screenWidth`; a "|" inside a
// line breaks it, as the stored text joins lines with it.
CueLettering letterCue(const std::vector<std::u32string>& text, const LineMeasure& measure, int screenWidth);
