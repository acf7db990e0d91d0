// The Blu-ray presentation graphics reader on any bytes, with and without the detailed log:
// it must end, stay inside the input, and leave a list whose records point into it and whose
// every subtitle has an end.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "model/file_error.h"
#include "quiet_sinks.h"
#include "readers/pg_reader.h"

namespace {
void readOnce(std::span<const uint8_t> bytes, bool details) {
  std::vector<TSUP> subs;
  QuietLog log;
  QuietProgress progress;
  StreamFile file(bytes);
  ReadState rs{file, log, progress, details};
  try {
    readPG(subs, rs);
  } catch (const FileError&) {
    rs.count = uint32_t(subs.size());
  }
  if (rs.count != subs.size()) std::abort();
  const auto outside = [&](uint64_t pos, uint64_t len) { return pos + len > bytes.size(); };
  for (const TSUP& s : subs) {
    if (s.endPts == 0) std::abort();
    for (const TSUPWin& w : s.win)
      if (outside(w.dataPos, w.dataLen) || outside(w.nextPos, w.nextLen)) std::abort();
    for (const TSUPObject& o : s.objects)
      for (const TSUPData& f : o.fragments)
        if (outside(f.pos, f.len)) std::abort();
    for (const TSUPPalette& p : s.palEarlier)
      if (outside(p.colorOfs, uint64_t(p.palCount) * 5)) std::abort();
    if (outside(s.colorOfs, uint64_t(s.palCount) * 5)) std::abort();
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  readOnce(bytes, false);
  readOnce(bytes, true);
  return 0;
}
