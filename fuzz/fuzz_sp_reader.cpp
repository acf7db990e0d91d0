// The DVD and HD DVD subpicture reader on any bytes, with and without the detailed log: it
// must end and stay inside the input and inside streamBuf.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "model/file_error.h"
#include "quiet_sinks.h"
#include "readers/sp_reader.h"

namespace {
void readOnce(std::span<const uint8_t> bytes, bool details) {
  SubtitleList list;
  QuietLog log;
  QuietProgress progress;
  StreamFile file(bytes);
  ReadState rs{file, log, progress, details};
  try {
    readSP(list, rs);
  } catch (const FileError&) {
    rs.count = uint32_t(list.subs.size());
  }
  if (rs.count > list.subs.size() || list.streamBuf.size() != kStreamBufSize) std::abort();
  // Colour choices: offsets into the control area (HD DVD) or positions in the file (DVD).
  const uint64_t limit = std::max<uint64_t>(kStreamBufSize, bytes.size());
  for (const TSUP& s : list.subs)
    if (s.win[0].dataLen > bytes.size() || s.colorOfs > limit || s.contrOfs > limit) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  readOnce(bytes, false);
  readOnce(bytes, true);
  return 0;
}
