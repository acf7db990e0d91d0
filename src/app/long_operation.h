#pragma once
// The protocol every long operation follows (SRT import, "OCR all", "Save bitmaps",
// "Export sup"): while one runs the window stays alive, "Cancel" is enabled, and closing the
// window asks to cancel instead of closing.
class App;

class LongOperation {
 public:
  // Clears a cancel request left from before, sets busy and enables "Cancel".
  explicit LongOperation(App& app);
  // Clears busy and disables "Cancel" on every way out, errors included.
  ~LongOperation();
  LongOperation(const LongOperation&) = delete;
  LongOperation& operator=(const LongOperation&) = delete;

  // Called after each item: lets the window handle pending input, then tells whether the
  // user asked to stop.
  bool stopRequested();

 private:
  App& app_;
};
