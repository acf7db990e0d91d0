#include "text/srt_export.h"

#include <algorithm>
#include <cstdint>

#include "model/output_file.h"
#include "model/pts.h"
#include "text/cp1252.h"
#include "text/text_file_lines.h"
#include "model/text_lines.h"

namespace {
// The progress bar moves every this many subtitles.
constexpr size_t kProgressStep = 200;
// How long the last subtitle stays when nothing says when it ends.
constexpr uint32_t kDefaultDuration = 2 * 90000;

void note(LogSink& log, const std::string& text) {
  log.logn(text);
  log.log("");
}

// "start --> end" as stored. A subtitle whose end is unknown (a stream that stops before
// it) would make players drop the file's cues around it: it ends where the next one starts,
// or two seconds after its start when it is the last or the next does not start later.
std::string srtTimeLine(const std::vector<TSUP>& subs, size_t i, LogSink& log) {
  const TSUP& s = subs[i];
  const std::string start = s.startTime.empty() ? pts2str(s.startPts) : s.startTime;
  if (!s.endTime.empty()) return start + " --> " + s.endTime;
  const bool nextLater = i + 1 < subs.size() && subs[i + 1].startPts > s.startPts;
  const uint32_t lastTick = UINT32_MAX;
  const std::string end = pts2str(nextLater ? subs[i + 1].startPts
                                            : uint32_t(std::min<uint64_t>(uint64_t(s.startPts) + kDefaultDuration, lastTick)));
  note(log, "Subtitle " + std::to_string(s.num) + " has no end time: it ends at " + end + " in the SRT text.");
  return start + " --> " + end;
}
}  // namespace

std::vector<std::string> srtTextLines(const std::vector<TSUP>& subs, LogSink& log, ProgressSink& progress) {
  std::vector<std::string> out;
  const size_t N = subs.size();
  for (size_t i = 0; i < N; ++i) {
    const TSUP& s = subs[i];
    if (i % kProgressStep == 0) progress.progress("", int32_t(i * 100 / N));
    // A blank line ends a cue for players, and a cue without text is dropped by them.
    std::vector<std::string> lines = splitLines(s.text);
    std::erase_if(lines, [](const std::string& l) { return trimLine(l).empty(); });
    const std::string name = "Subtitle " + std::to_string(s.num);
    if (lines.empty()) {
      note(log, name + " has no text: left out of the SRT text.");
      continue;
    }
    out.push_back(std::to_string(s.num));
    out.push_back(srtTimeLine(subs, i, log));
    for (std::string& line : lines) out.push_back(std::move(line));
    out.emplace_back();
  }
  return out;
}

std::string srtFileText(const std::vector<std::string>& lines, int encoding) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  // With the mark, players that would take the text as their system's code page read UTF-8.
  if (encoding == kSrtUtf8) return "\xEF\xBB\xBF" + cp1252ToUtf8(text);
  return text;
}

void writeSrtFile(const std::string& path, const std::vector<std::string>& lines, int encoding) {
  OutputFile file(path);
  file.write(srtFileText(lines, encoding));
  file.commit();
}
