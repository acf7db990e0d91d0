// The Blu-ray presentation graphics reader on any bytes, with and without the detailed log:
// it must end, stay inside the input, and leave a list whose records point into it.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "app/app.h"
#include "app/file_error.h"
#include "reader_app.h"
#include "readers/pg_reader.h"

namespace {
void readOnce(std::span<const uint8_t> bytes, bool details) {
  App& app = readerApp(details);
  StreamFile file(bytes);
  ReadState rs{file, 0};
  try {
    readPG(app, rs);
  } catch (const FileError&) {
    rs.count = uint32_t(app.subs.size());
  }
  if (rs.count > app.subs.size()) std::abort();
  for (const TSUP& s : app.subs)
    for (const TSUPWin& w : s.win)
      if (uint64_t(w.dataPos) + w.dataLen > bytes.size() || uint64_t(w.nextPos) + w.nextLen > bytes.size())
        std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  readOnce(bytes, false);
  readOnce(bytes, true);
  return 0;
}
