// Video files and VobSub indexes on any bytes: the container path (FFmpeg's demuxing library
// delivering the packets, the program putting them together) must end,
// and the stream it makes of each track must be one the readers walk inside its bounds.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <stdexcept>
#include <string>

#include "quiet_sinks.h"
#include "readers/container.h"
#include "readers/pg_reader.h"
#include "readers/sp_reader.h"

namespace {
// The library opens files by name: each input is written to one file for the whole run.
const std::string& inputPath() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("marrowby-fuzz-container-" + std::to_string(::getpid()))).string();
  static const bool cleanup = std::atexit([] { std::filesystem::remove(inputPath()); }) == 0;
  (void)cleanup;
  return path;
}

void readStream(const std::vector<uint8_t>& stream, TrackKind kind) {
  SubtitleList list;
  QuietLog log;
  QuietProgress progress;
  StreamFile file{std::span<const uint8_t>(stream)};
  ReadState rs{file, log, progress};
  try {
    if (kind == TrackKind::bluRay) readPG(list.subs, rs);
    else readSP(list, rs);
  } catch (const std::runtime_error&) {
  }
  // What each reader promises of its records: Blu-ray object data inside the stream; DVD
  // pixel data no longer than the stream, and its colour choices (file positions; 0: none)
  // inside it.
  const auto outside = [&](uint64_t pos, uint64_t len) { return pos + len > stream.size(); };
  for (const TSUP& s : list.subs) {
    if (kind == TrackKind::bluRay) {
      for (const TSUPWin& w : s.win)
        if (outside(w.dataPos, w.dataLen) || outside(w.nextPos, w.nextLen)) std::abort();
    } else if (s.win[0].dataLen > stream.size() ||
               (list.subFormat == sfDVD && ((s.colorOfs && outside(s.colorOfs, 2)) || (s.contrOfs && outside(s.contrOfs, 2))))) {
      std::abort();
    }
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::ofstream(inputPath(), std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), std::streamsize(size));
  try {
    const auto container = openContainer(inputPath());
    if (!container) return 0;
    for (const SubtitleTrack& t : container->tracks()) {
      if (t.kind == TrackKind::other) continue;
      const TrackData d = container->read(t, [](uint64_t, uint64_t) {});
      readStream(d.stream, t.kind);
    }
  } catch (const std::runtime_error&) {
    // A damaged description: refused with a message, as it must be.
  }
  return 0;
}
