#include "text/srt_cues.h"

#include "model/pts.h"
#include "text/text_file_lines.h"

namespace {
// Lines of 8 or more characters are no cue numbers.
constexpr size_t kMaxNumberLength = 7;

bool isBlankLine(std::u32string_view line) { return trimLine(line).empty(); }

std::string timeText(uint64_t ms) { return pts2str(uint32_t(ms * 90)); }

class CueWalk {
 public:
  CueWalk(const std::vector<std::u32string>& lines, const SrtCueReader& reader) : lines_(lines), reader_(reader) {
    ascii_.reserve(lines.size());
    for (const std::u32string& l : lines) ascii_.push_back(asciiOf(l));
  }

  size_t run() {
    size_t i = 0;
    while (i < lines_.size()) {
      if (reader_.stop(i)) return i;
      if (isTimeLine(ascii_[i])) {
        i = readCue(i);
        continue;
      }
      // Only lines before the first cue get here: a cue's text runs to the next one.
      if (!isBlankLine(lines_[i]) && !startsCue(i) && !headerNoted_) {
        reader_.note("Lines before the first cue were skipped.");
        headerNoted_ = true;
      }
      ++i;
    }
    return i;
  }

 private:
  // A number line directly above a time line starts the next cue.
  bool startsCue(size_t i) const {
    return isTimeLine(ascii_[i]) || (i + 1 < lines_.size() && isTimeLine(ascii_[i + 1]) && cueNumberDigits(ascii_[i]));
  }

  // Reads the cue whose time line is at i; returns the index of the line after its text.
  size_t readCue(size_t i) {
    SrtCue cue;
    const auto digits = i > 0 ? cueNumberDigits(ascii_[i - 1]) : std::nullopt;
    if (digits) {
      cue.numberLine = i - 1;
      cue.number = *digits;
      cue.num = std::stoi(*digits);
    } else {
      cue.num = lastNum_ + 1;
      if (!unnumberedNoted_) reader_.note("Cues without a number are numbered after the cue before them.");
      unnumberedNoted_ = true;
    }
    lastNum_ = cue.num;
    size_t next = i + 1;
    bool blankSeen = false, textAfterBlank = false;
    for (; next < lines_.size() && !startsCue(next); ++next) {
      if (isBlankLine(lines_[next])) {
        blankSeen = true;
        continue;
      }
      textAfterBlank = textAfterBlank || blankSeen;
      cue.text.push_back(lines_[next]);
    }
    const std::string name = "Cue " + std::to_string(cue.num);
    const auto span = readTimeLine(ascii_[i]);
    if (!span) {
      reader_.note(name + " skipped: its time line cannot be read: " + ascii_[i]);
    } else if (span->start > kMaxTimeMs || span->end > kMaxTimeMs) {
      reader_.note(name + " skipped: it lies beyond " + timeText(kMaxTimeMs) + ".");
    } else if (span->end <= span->start) {
      reader_.note(name + " skipped: it ends at " + timeText(span->end) + ", not after its start at " +
                   timeText(span->start) + ".");
    } else if (cue.text.empty()) {
      reader_.note(name + " skipped: it has no text.");
    } else {
      if (textAfterBlank) reader_.note(name + ": the text after a blank line is kept in it.");
      cue.span = *span;
      reader_.cue(std::move(cue));
    }
    return next;
  }

  const std::vector<std::u32string>& lines_;
  const SrtCueReader& reader_;
  std::vector<std::string> ascii_;
  int32_t lastNum_ = 0;
  bool headerNoted_ = false;
  bool unnumberedNoted_ = false;
};
}  // namespace

std::string asciiOf(std::u32string_view line) {
  std::string out(line.size(), '?');
  for (size_t i = 0; i < line.size(); ++i)
    if (line[i] < 0x80) out[i] = char(line[i]);
  return out;
}

std::optional<std::string> cueNumberDigits(std::string_view line) {
  if (line.empty() || line.size() > kMaxNumberLength) return std::nullopt;
  size_t end = line.size();
  while (end > 0 && (unsigned char)line[end - 1] <= ' ') --end;
  size_t start = end;
  while (start > 0 && line[start - 1] >= '0' && line[start - 1] <= '9') --start;
  if (start == end) return std::nullopt;
  return std::string(line.substr(start, end - start));
}

size_t readSrtCues(const std::vector<std::u32string>& lines, const SrtCueReader& reader) {
  return CueWalk(lines, reader).run();
}
