#pragma once
// The protocol every long operation follows (SRT import, "OCR all", "Save bitmaps",
// "Export sup"): while one runs the window stays alive, "Cancel" is the only command that
// acts, and closing the window asks to cancel instead of closing.
#include <array>

#include "app/controls.h"

class App;

class LongOperation {
 public:
  // Clears a cancel request left from before, sets busy, enables "Cancel" and disables
  // everything else a user could act on (the file row, the pages, the other commands).
  explicit LongOperation(App& app);
  // Finishes on every way out, errors included.
  ~LongOperation();
  LongOperation(const LongOperation&) = delete;
  LongOperation& operator=(const LongOperation&) = delete;

  // Called after each item: lets the window handle pending input, then tells whether the
  // user asked to stop.
  bool stopRequested();
  // Clears busy, disables "Cancel" and gives every disabled control back the state it had.
  // A command calls it before it draws again or sets what its result enables.
  void finish();

 private:
  App& app_;
  bool running_ = true;
  std::array<bool, Controls::kUserInputs> wasEnabled_{};
};
