#include "app/read_progress.h"

#include <algorithm>

#include "app/app.h"
#include "readers/stream_file.h"

void showReadProgress(App& app, const StreamFile& file) {
  const uint64_t size = std::max<uint64_t>(file.size(), 1);
  app.ui.ProgressBar.position = int(std::min<uint64_t>(file.pos(), size) * 100 / size);
  // The status line repaints the window, the progress bar with it.
  app.slog(std::to_string(file.pos()) + "/" + std::to_string(file.size()), 1);
}
