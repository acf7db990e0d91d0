#pragma once
#include <cstdint>
#include <vector>

#include "model/subtitle.h"
#include "ocr/line_pictures.h"
#include "ocr/recognition_state.h"
#include "ocr/segmentation.h"
#include "ocr/text_assembly.h"
#include "render/work_images.h"

// What a recognition takes from the options the command read.
struct OcrOptions {
  int spaceWidth = SegmentOptions{}.spaceWidth;
  int spaceWmin = SegmentOptions{}.spaceWmin;
  bool insertTags = false;  // italic runs between <i> and </i>
  bool markCells = true;    // the picture is shown: a box marks every cell on the display
  int language = 0;         // whose corrections table applies, as an item of the "Language" box
};

// What a reading left in the subtitle: nothing (no line to read), its record (counts, style,
// textOk), or its record and a text (the subtitle's own unless it is locked).
enum class ReadingStored : uint8_t { nothing, record, recordAndText };

// Recognises subtitle s, which the caller has just drawn for recognition: finds the lines and
// glyphs in the recognition mask, classifies them, corrects the text and stores it unless the
// subtitle is locked. Marks the cut on the display picture. A picture without ink changes
// nothing.
ReadingStored ocr(TSUP& s, uint8_t subFormat, WorkImages& images, RecognitionState& state,
                  const OcrOptions& options);

// What one reading of a subtitle found.
struct SubtitleReading {
  AssembledText assembled;
  int lineCount = 0;
  int charCount = 0;           // cells, spaces included
  SegmentCounters counters;    // italic and upright glyphs
};
// Stores a reading of subtitle s as recognition does: the counts, textOk, the style when the
// subtitle was not recognised yet, and the text corrected for `language` unless the subtitle
// is locked.
ReadingStored storeReading(TSUP& s, SubtitleReading reading, int language);

// The text lines of subtitle s, just drawn for recognition, as pictures for another engine,
// each line's inked rows scaled to lineHeight rows; none when the picture has no ink. On a
// film's lettering Tesseract reads every character right from 24 to 72 rows and misses some
// at 16, and takes longer the taller the line: the default lies well inside (BM_LineHeight).
std::vector<LinePicture> linePictures(const TSUP& s, uint8_t subFormat, const WorkImages& images,
                                      RecognitionState& state,
                                      int lineHeight = LinePictureOptions{}.lineHeight);
