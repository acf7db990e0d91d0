#include "support/container_files.h"

#include <cstdio>
#include <filesystem>

std::string samplePath(const std::string& name) { return std::string(MARROWBY_SAMPLES_DIR) + "/" + name; }

bool runQuietly(const std::string& command) {
  FILE* p = ::popen((command + " 2>&1").c_str(), "r");
  if (!p) return false;
  char buf[4096];
  while (std::fread(buf, 1, sizeof buf, p) > 0) {
  }
  return ::pclose(p) == 0;
}

std::string containerToolsMissing() {
  if (!std::filesystem::exists(samplePath("pgs/sintel-en.sup"))) return "the sample streams are not at " MARROWBY_SAMPLES_DIR;
  if (!runQuietly("ffmpeg -version")) return "ffmpeg is not installed";
  if (!runQuietly("mkvmerge --version") || !runQuietly("mkvextract --version")) return "mkvtoolnix is not installed";
  return "";
}
