#include "support/ffmpeg_frames.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {
std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string hex(uint32_t rgb) {
  char s[16];
  std::snprintf(s, sizeof s, "0x%06X", rgb & 0xFFFFFFu);
  return s;
}
}  // namespace

bool haveFFmpeg() {
  static const bool have = std::system("ffprobe -version >/dev/null 2>&1 && ffmpeg -version >/dev/null 2>&1") == 0;
  return have;
}

int ffmpegFrameShowing(const std::vector<TSUP>& subs, size_t i) {
  const TSUP& s = subs[i];
  const uint32_t until = s.endPts != 0 ? s.endPts : i + 1 < subs.size() ? subs[i + 1].startPts : s.startPts + 180000;
  const double from = s.startPts / 90000.0 + 0.1, to = until / 90000.0 - 0.1;
  const int frame = int(std::ceil(from * kFFmpegFramesPerSecond));
  return frame < to * kFFmpegFramesPerSecond ? frame : -1;
}

std::vector<RgbFrame> ffmpegFrames(const std::string& stream, const std::vector<int>& frames, uint32_t background,
                                   const std::string& workDir, std::string& errors, int width, int height) {
  if (frames.empty()) return {};
  std::string select;
  for (int n : frames) select += (select.empty() ? "" : "+") + std::string("eq(n\\,") + std::to_string(n) + ")";
  const double duration = double(frames.back()) / kFFmpegFramesPerSecond + 1;
  const std::string raw = workDir + "/ffmpeg-frames.rgb", err = workDir + "/ffmpeg-frames.err";
  // Only the chosen background frames reach the overlay, which keeps long streams quick.
  const std::string size = std::to_string(width) + "x" + std::to_string(height);
  const std::string cmd = "ffmpeg -v error -y -copyts -f lavfi -i color=c=" + hex(background) + ":s=" + size + ":r=" +
                          std::to_string(kFFmpegFramesPerSecond) + ":d=" + std::to_string(duration) + " -i '" +
                          stream + "' -filter_complex \"[0:v]select='" + select +
                          "',format=rgb24[bg];[bg][1:s]overlay=eof_action=pass:format=rgb\" -fps_mode passthrough "
                          "-f rawvideo -pix_fmt rgb24 '" + raw + "' 2>'" + err + "'";
  const int status = std::system(cmd.c_str());
  errors = readAll(err);
  if (status != 0) return {};
  const std::string bytes = readAll(raw);
  const size_t frameBytes = size_t(width) * size_t(height) * 3;
  std::vector<RgbFrame> out;
  for (size_t at = 0; at + frameBytes <= bytes.size(); at += frameBytes)
    out.emplace_back(bytes.begin() + std::ptrdiff_t(at), bytes.begin() + std::ptrdiff_t(at + frameBytes));
  return out;
}

std::vector<uint8_t> ffmpegRgba(const std::string& picture, const std::string& workDir, int width, int height) {
  const std::string raw = workDir + "/ffmpeg-picture.rgba";
  const std::string cmd = "ffmpeg -v error -y -i '" + picture + "' -f rawvideo -pix_fmt rgba '" + raw + "' 2>/dev/null";
  if (std::system(cmd.c_str()) != 0) return {};
  const std::string bytes = readAll(raw);
  if (bytes.size() != size_t(width) * size_t(height) * 4) return {};
  return {bytes.begin(), bytes.end()};
}
