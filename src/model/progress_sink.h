#pragma once
// What long work tells the user while it runs, and how it learns that the user asked to
// stop. The command that starts the work decides where the progress shows (status line,
// progress bar, title); the work only reports.
#include <string_view>

class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  // The status text (empty: the status shown stays) and the progress bar's position (an
  // item count or a percentage, as the command set the bar's range).
  virtual void progress(std::string_view status, int position) = 0;
  // Lets the window handle pending input; returns whether the user asked to stop.
  virtual bool stopRequested() = 0;
};
