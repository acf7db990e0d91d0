#include "text/srt_import.h"

#include <algorithm>

#include "model/pts.h"
#include "model/subtitle_order.h"
#include "render/draw_line.h"
#include "text/sheet_text.h"
#include "text/srt_cues.h"
#include "text/srt_lettering.h"
#include "text/srt_tags.h"
#include "model/text_lines.h"

namespace {
std::string cueName(const TSUP& s) { return "Cue " + std::to_string(s.num); }
std::string otherCue(const TSUP& s) { return "cue " + std::to_string(s.num); }

// A line about the import in the log, which keeps the empty line that the count at the end
// takes the place of.
void note(LogSink& log, const std::string& text) {
  log.logn(text);
  log.log("");
}

// Centres the area of an SRT subtitle on its widest line and sets its rows from the
// baselines of its lines.
void placeTextArea(const SrtImport& in, TSUP& s) {
  TSUPWin& w = s.win[0];
  centreTextBlock(in.sheet, in.spacing, in.displayWidth, w, splitLines(s.text));
  // A cue of more than ten lines has baselines for its last ten only: the lines above are
  // not drawn, and the area starts above the tenth.
  const int top = std::min(s.lineCount, kMaxTextLines);
  // Glyph rows 6 to 10 do not exist; their ascent would be 0 and put the top line's letters
  // above the area, so those blocks reach up by the tallest ascent of the sheet.
  const int ascent = top <= kGlyphRowCount ? glyphRows[size_t(top)].base - glyphRows[size_t(top)].top : kGlyphAscent;
  // With a negative line spacing the lines run downwards; the area still spans them all.
  const LineBaseTable& lineBase = in.sheet.lineBase;
  int highest = lineBase[1], lowest = lineBase[1];
  for (int k = 2; k <= top; ++k) {
    highest = std::min<int>(highest, lineBase[size_t(k)]);
    lowest = std::max<int>(lowest, lineBase[size_t(k)]);
  }
  w.y1 = uint16_t(std::max(0, highest - ascent));
  w.y2 = uint16_t(lowest + glyphRows[1].bottom - glyphRows[1].base);
}

class SrtWalk {
 public:
  SrtWalk(const SrtImport& in, const std::vector<std::u32string>& lines) : in_(in), lines_(lines) {}

  // Reads cue after cue, asking before each step whether to stop; returns the index of the
  // line at which it stopped.
  size_t run() {
    const size_t quarter = lines_.size() / 4;
    SrtCueReader reader;
    reader.stop = [&](size_t i) {
      if (in_.progress.stopRequested()) return true;
      if (i % 10 == 0 && quarter > 0) {
        percent_ = int(std::min<size_t>(100, in_.subs.size() * 100 / quarter));
        in_.progress.progress(status_, percent_);
      }
      return false;
    };
    reader.cue = [&](SrtCue&& cue) { addCue(std::move(cue)); };
    reader.note = [&](const std::string& text) { note(in_.log, text); };
    const size_t stoppedAt = readSrtCues(lines_, reader);
    if (removedTags_) note(in_.log, "Formatting the letters cannot show was removed: " + removedTagNames(removedTags_) + ".");
    return stoppedAt;
  }

 private:
  void addCue(SrtCue&& cue) {
    if (cue.numberLine) in_.view[*cue.numberLine] = cue.number;
    const CueLettering letters = letterCue(cue.text, measure_, in_.displayWidth);
    removedTags_ |= letters.removedTags;
    const std::string name = "Cue " + std::to_string(cue.num);
    if (!letters.missing.empty()) {
      std::string names;
      for (char32_t c : letters.missing) names += (names.empty() ? "" : ", ") + characterName(c);
      if (letters.missing.size() == kMaxMissingNamed) names += " and more";
      note(in_.log, name + ": no glyph for " + names + ".");
    }
    if (letters.broken) note(in_.log, name + ": a word wider than the screen was broken.");
    else if (letters.wrapped) note(in_.log, name + ": a line wider than the screen was wrapped.");
    if (letters.lines.empty()) {
      note(in_.log, name + " skipped: none of its characters can be drawn.");
      return;
    }
    TSUP& s = in_.subs.emplace_back();
    s.num = cue.num;
    s.startPts = uint32_t(cue.span.start * 90);
    s.endPts = uint32_t(cue.span.end * 90);
    s.startTime = pts2str(s.startPts);
    s.endTime = pts2str(s.endPts);
    s.palCount = 256;
    s.textOk = 1;
    s.lineCount = int32_t(letters.lines.size());
    for (const std::string& line : letters.lines) s.text += (s.text.empty() ? "" : "|") + line;
    status_ = "Subtitle: " + std::to_string(in_.subs.size());
    in_.progress.progress(status_, percent_);
  }

  const SrtImport& in_;
  const std::vector<std::u32string>& lines_;
  unsigned removedTags_ = 0;
  // What the progress shows: the count of the last cue taken (none before the first) and
  // the share of the lines read when it was last measured.
  std::string status_;
  int percent_ = 0;
  // As the renderer draws: to the last column of the widest glyph box.
  const LineMeasure measure_ = [this](const std::string& line, bool& italic) {
    in_.sheet.italicOn = italic;
    int boxes = 0;
    const int width = measureLine(in_.sheet, in_.spacing, line, &boxes);
    italic = in_.sheet.italicOn;
    return std::max(width, boxes);
  };
};

// Cues that start together are shown together, one above the other (a repeated cue once):
// one screen holds one subtitle at a time.
void joinSameStarts(std::vector<TSUP>& subs, LogSink& log) {
  size_t kept = 0;
  for (size_t i = 0; i < subs.size(); ++i) {
    if (kept > 0 && subs[i].startPts == subs[kept - 1].startPts) {
      TSUP& into = subs[kept - 1];
      const TSUP& s = subs[i];
      if (s.text == into.text) {
        note(log, cueName(s) + " repeats " + otherCue(into) + ": shown once.");
      } else {
        note(log, cueName(s) + " starts with " + otherCue(into) + ": shown below it.");
        into.text += "|" + s.text;
        into.lineCount += s.lineCount;
      }
      if (s.endPts > into.endPts) {
        into.endPts = s.endPts;
        into.endTime = s.endTime;
      }
      continue;
    }
    if (kept != i) subs[kept] = std::move(subs[i]);
    ++kept;
  }
  subs.resize(kept);
}

// Puts the cues in the order of their times, one on the screen at a time, and places each.
void orderAndPlace(const SrtImport& in) {
  std::vector<TSUP>& subs = in.subs;
  for (int32_t num : sortByStart(subs))
    note(in.log, "Cue " + std::to_string(num) + " starts before a cue above it: put in time order.");
  joinSameStarts(subs, in.log);
  for (size_t i : cutOverlaps(subs)) {
    const TSUP& s = subs[i];
    note(in.log, cueName(s) + " overlaps " + otherCue(subs[i + 1]) + ": it now ends at " + s.endTime + ".");
  }
  for (TSUP& s : subs) {
    placeTextArea(in, s);
    if (s.lineCount > kMaxTextLines)
      note(in.log, cueName(s) + ": only its last " + std::to_string(kMaxTextLines) + " lines can be drawn.");
  }
}
}  // namespace

size_t importSrtLines(const SrtImport& in, const std::vector<std::u32string>& lines) {
  const size_t stoppedAt = SrtWalk(in, lines).run();
  orderAndPlace(in);
  return stoppedAt;
}
