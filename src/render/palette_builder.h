#pragma once
// Builds the 256-entry palette of one subtitle before it is drawn.
#include "model/subtitle_list.h"
#include "render/display_size.h"
#include "render/palette_state.h"

class StreamFile;
struct DvdIndex;

struct PaletteOptions {
  int cutLevel = 0;         // entries at least this bright (per channel) count as ink
  int maxColor = 255;       // the brightest level of SRT lettering
  bool allOpaque = false;   // "OCR" pictures: every entry opaque
  DisplaySize listSize;     // the list's display size (stream lists)
  const DvdIndex* dvdIndex = nullptr;  // the sixteen colours a DVD track came with
};

// Fills the palette state for list.subs[n] (0-based) by the kind of the list and, for a
// stream list, sets the display size to o.listSize. DVD, HD DVD and Blu-ray palettes are
// read from `file`, the list's stream; without it (an SRT list) none is read. A file shorter
// than the recorded positions raises FileError, leaving the palette partly rebuilt.
void setpal(PaletteState& p, const SubtitleList& list, int n, const StreamFile* file, const PaletteOptions& o);
