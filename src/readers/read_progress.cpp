#include "readers/read_progress.h"

#include <algorithm>
#include <string>

#include "model/progress_sink.h"
#include "readers/stream_file.h"

void reportReadProgress(ProgressSink& progress, const StreamFile& file) {
  const uint64_t size = std::max<uint64_t>(file.size(), 1);
  progress.progress(std::to_string(file.pos()) + "/" + std::to_string(file.size()),
                    int(std::min<uint64_t>(file.pos(), size) * 100 / size));
}
