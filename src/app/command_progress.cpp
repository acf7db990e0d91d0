#include "app/command_progress.h"

#include "app/app.h"

void CommandProgress::progress(std::string_view status, int position) {
  if (title_ == Title::percent) {
    app_.pslog(status, position);
    return;
  }
  app_.ui.ProgressBar.position = position;
  // The status line repaints the window, the progress bar with it.
  app_.slog(status, 1);
}

bool CommandProgress::stopRequested() { return app_.pumpAndCheckCancel(); }
