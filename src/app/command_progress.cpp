#include "app/command_progress.h"

#include "app/app.h"

void CommandProgress::progress(std::string_view status, int position) {
  // An empty status leaves the status line (and the title) as they are: only the bar moves.
  if (status.empty()) {
    app_.ui.ProgressBar.position = position;
    app_.host.repaint();
  } else if (title_ == Title::percent) {
    app_.pslog(status, position);
  } else {
    app_.ui.ProgressBar.position = position;
    app_.slog(status, 1);  // repaints the window, the progress bar with it
  }
}

bool CommandProgress::stopRequested() { return app_.pumpAndCheckCancel(); }
