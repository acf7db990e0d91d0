#pragma once
// The second recognition engine in the recognition commands. The "Engine" option chooses who
// reads a subtitle: the rules, Tesseract, or (Auto) the rules first and Tesseract for every
// subtitle whose reading holds an unknown glyph or a glyph of a size the rules were not made
// for, so whatever the rules read of their own lettering stays as they read it. Without
// Tesseract (no library, no language data) the rules read alone and the log says why once.
#include <chrono>
#include <memory>
#include <vector>

#include "ocr/reading_pool.h"

class App;

// Recognises subtitle n, just drawn for recognition, with the chosen engine; Tesseract reads
// on the calling thread.
void recogniseDrawn(App& app, int n);

// "OCR all"'s side of it: the subtitles left to Tesseract are read on worker threads, one
// Tesseract each, while the batch draws the next ones; their readings are stored in list
// order. The workers start with the first subtitle they are needed for.
class BatchReader {
 public:
  explicit BatchReader(App& app);
  ~BatchReader();
  BatchReader(const BatchReader&) = delete;
  BatchReader& operator=(const BatchReader&) = delete;

  // Recognises subtitle n, just drawn for recognition, or hands its lines to the workers.
  void recogniseDrawn(int n);
  // Stores what the workers have read. While they are too far behind, waits for them,
  // letting the window run, until the user cancels.
  void storeRead();
  // Waits for every subtitle handed in and stores it, also after "Cancel", so that none is
  // left half recognised; then the workers end.
  void finish();

 private:
  // Stores the readings that are done, in order, waiting at most `wait` for each.
  void storeDone(std::chrono::milliseconds wait);

  App& app_;
  std::unique_ptr<ReadingPool> pool_;
  bool tesseract_ = true;  // until it turns out it cannot be opened
};
