#pragma once
// The text of an SRT cue made ready for the letter sheet: formatting it cannot show taken
// out, characters turned into the sheet's codes, and lines too wide for the screen wrapped.
// What changed is reported, so that nothing vanishes without a word in the log.
#include <string>
#include <vector>

class App;
struct TSUP;

struct CueLettering {
  std::vector<std::string> lines;  // Windows-1252, none empty
  std::u32string missing;          // characters without glyph or stand-in
  unsigned removedTags = 0;        // RemovedTag bits
  bool wrapped = false;            // a line was wrapped at a space
  bool broken = false;             // a word too wide for the screen was broken
};

// The drawable lines of a cue's text lines; a "|" inside a line breaks it, as the stored
// text joins lines with it.
CueLettering letterCue(App& app, const std::vector<std::u32string>& text);

// Centres the area of an SRT subtitle on its widest line and sets its rows from the
// baselines of its lines, from the letters and options now in effect.
void placeTextArea(App& app, TSUP& s);
