#include "app/command_progress.h"

#include "app/app.h"

void CommandProgress::progress(std::string_view status, int position) {
  if (title_ == Title::percent) {
    app_.pslog(status, position);
    return;
  }
  app_.ui.ProgressBar.position = position;
  // The status line repaints the window, the progress bar with it; an empty status leaves
  // the line as it is.
  if (status.empty()) app_.host.repaint();
  else app_.slog(status, 1);
}

bool CommandProgress::stopRequested() { return app_.pumpAndCheckCancel(); }
