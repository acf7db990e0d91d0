// The DVD and HD DVD subpicture reader on any bytes, with and without the detailed log: it
// must end and stay inside the input and inside streamBuf.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "app/app.h"
#include "model/file_error.h"
#include "reader_app.h"
#include "readers/sp_reader.h"

namespace {
void readOnce(std::span<const uint8_t> bytes, bool details) {
  App& app = readerApp(details);
  StreamFile file(bytes);
  ReadState rs{file, 0};
  try {
    readSP(app, rs);
  } catch (const FileError&) {
    rs.count = uint32_t(app.subs.size());
  }
  if (rs.count > app.subs.size() || app.streamBuf.size() != kStreamBufSize) std::abort();
  // Colour choices: offsets into the control area (HD DVD) or positions in the file (DVD).
  const uint64_t limit = std::max<uint64_t>(kStreamBufSize, bytes.size());
  for (const TSUP& s : app.subs)
    if (s.win[0].dataLen > bytes.size() || s.colorOfs > limit || s.contrOfs > limit) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  readOnce(bytes, false);
  readOnce(bytes, true);
  return 0;
}
