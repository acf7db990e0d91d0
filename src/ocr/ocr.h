#pragma once
#include <vector>

#include "ocr/line_pictures.h"
#include "ocr/segmentation.h"
#include "ocr/text_assembly.h"

class App;

// Recognises subtitle n (1-based), which the caller has just drawn for recognition: finds
// the lines and glyphs in ocrMask, classifies them, corrects the text and stores it unless
// the subtitle is locked. Marks the cut on the display picture. A picture without ink
// changes nothing; returns whether there was a line to read.
bool ocr(App& app, int n);

// What one reading of a subtitle found.
struct SubtitleReading {
  AssembledText assembled;
  int lineCount = 0;
  int charCount = 0;           // cells, spaces included
  SegmentCounters counters;    // italic and upright glyphs
};
// Stores a reading of subtitle n as recognition does: the counts, textOk, the style when the
// subtitle was not recognised yet, and the corrected text unless the subtitle is locked; the
// selector, the font choice and the text box show it.
void storeReading(App& app, int n, SubtitleReading reading);

// The text lines of subtitle n, just drawn for recognition, as pictures for another engine,
// each line's inked rows scaled to lineHeight rows; none when the picture has no ink. On a
// film's lettering Tesseract reads every character right from 24 to 72 rows and misses some
// at 16, and takes longer the taller the line: the default lies well inside (BM_LineHeight).
std::vector<LinePicture> linePictures(App& app, int n, int lineHeight = LinePictureOptions{}.lineHeight);
