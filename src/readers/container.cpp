#include "readers/container.h"

#include <sys/stat.h>

#include "model/file_names.h"
#include "readers/av_container.h"
#include "readers/stream_file.h"

namespace {
// Formats FFmpeg's library may take a file for: Matroska files, transport streams, program
// streams and VobSub indexes (whose pictures it reads as a program stream). Anything else it
// recognises (audio, pictures, text) is not a subtitle container.
constexpr const char* kLibraryFormats = "matroska,webm,mpegts,mpeg,vobsub";
constexpr std::string_view kIndexStart = "# VobSub index file";

bool isFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The file beside path with the other extension of a VobSub pair, written in either case.
std::string partner(const std::string& path, const char* lower, const char* upper) {
  const std::string base = CutExt(path);
  for (const char* ext : {lower, upper})
    if (isFile(base + ext)) return base + ext;
  return "";
}

bool isVobSubIndex(const StreamFile& f) {
  if (f.size() < kIndexStart.size()) return false;
  const auto start = f.at(0, kIndexStart.size());
  return std::string_view(reinterpret_cast<const char*>(start.data()), start.size()) == kIndexStart;
}
}  // namespace

std::unique_ptr<Container> openContainer(const std::string& path) {
  const StreamFile file(path);
  if (isVobSubIndex(file)) {
    const std::string sub = partner(path, ".sub", ".SUB");
    if (sub.empty()) throw ContainerError("The pictures of this VobSub index are missing: " + CutExt(fileNameOf(path)) + ".sub");
    return AvContainer::open(path, kLibraryFormats, sub);
  }
  // The pictures of a VobSub pair are read with their index, which holds their times and
  // colours; without one they are read as a program stream.
  if (upperExtension(path) == ".SUB") {
    const std::string index = partner(path, ".idx", ".IDX");
    if (!index.empty()) return AvContainer::open(index, kLibraryFormats, path);
  }
  return AvContainer::open(path, kLibraryFormats);
}
