#include "support/ffmpeg_srt.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {
std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// "hh:mm:ss,zzz --> hh:mm:ss,zzz", as FFmpeg writes it.
bool isTimeLine(const std::string& l) {
  static const std::string shape = "00:00:00,000 --> 00:00:00,000";
  if (l.size() != shape.size()) return false;
  for (size_t i = 0; i < l.size(); ++i)
    if (shape[i] == '0' ? l[i] < '0' || l[i] > '9' : l[i] != shape[i]) return false;
  return true;
}
}  // namespace

std::string withoutTags(std::string text) {
  for (const std::string tag : {"<i>", "</i>", "<b>", "</b>", "<u>", "</u>"})
    for (size_t p; (p = text.find(tag)) != std::string::npos;) text.erase(p, tag.size());
  return text;
}

std::vector<FFmpegCue> ffmpegSrtCues(const std::string& srt, const std::string& charset, const std::string& workDir,
                                     std::string& errors) {
  const std::string out = workDir + "/ffmpeg-read.srt", err = workDir + "/ffmpeg-read.err";
  const std::string enc = charset.empty() ? "" : " -sub_charenc " + charset;
  const std::string cmd = "ffmpeg -v warning -y" + enc + " -i '" + srt + "' -f srt '" + out + "' 2>'" + err + "'";
  const int status = std::system(cmd.c_str());
  errors = readAll(err);
  if (status != 0) errors += "ffmpeg failed";
  std::vector<std::string> lines;
  std::istringstream in(readAll(out));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  std::vector<FFmpegCue> cues;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    if (isTimeLine(l)) {
      cues.push_back({l.substr(0, 12), l.substr(17), ""});
      continue;
    }
    const bool number = l.find_first_not_of("0123456789") == std::string::npos;
    if (cues.empty() || l.empty() || (number && i + 1 < lines.size() && isTimeLine(lines[i + 1]))) continue;
    FFmpegCue& c = cues.back();
    c.text += (c.text.empty() ? "" : "|") + withoutTags(l);
  }
  return cues;
}
