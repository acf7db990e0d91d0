#include "text/srt_import.h"

#include <algorithm>

#include "app/app.h"
#include "app/command_guards.h"
#include "model/file_error.h"
#include "app/long_operation.h"
#include "app/recent_files.h"
#include "app/subtitle_selector.h"
#include "model/file_names.h"
#include "model/pts.h"
#include "model/subtitle_order.h"
#include "readers/stream_file.h"
#include "render/draw_line.h"
#include "app/subtitle_display.h"
#include "text/cp1252.h"
#include "text/sheet_text.h"
#include "text/srt_cues.h"
#include "text/srt_lettering.h"
#include "text/srt_tags.h"
#include "text/text_decoding.h"
#include "text/text_file_lines.h"
#include "text/text_lines.h"

namespace {
const char* const kOpenSrtTitle = "Open SubRip subtile (SRT)";
const char* const kOpenSrtFilter = "SRT (SubRip subtitle)|*.srt";

std::string cueName(const TSUP& s) { return "Cue " + std::to_string(s.num); }
std::string otherCue(const TSUP& s) { return "cue " + std::to_string(s.num); }

// A line about the import in the log, which keeps the empty line that the count at the end
// takes the place of.
void note(App& app, const std::string& text) {
  app.logn(text);
  app.log("");
}

std::string viewLine(std::u32string_view line) {
  std::string out(line.size(), '?');
  for (size_t i = 0; i < line.size(); ++i) out[i] = char(unicodeToCp1252(line[i]));
  return out;
}

// Centres the area of an SRT subtitle on its widest line and sets its rows from the
// baselines of its lines.
void placeTextArea(App& app, TSUP& s) {
  TSUPWin& w = s.win[0];
  centreTextBlock(app, w, splitLines(s.text));
  // A cue of more than ten lines has baselines for its last ten only: the lines above are
  // not drawn, and the area starts above the tenth.
  const int top = std::min(s.lineCount, kMaxTextLines);
  // Glyph rows 6 to 10 do not exist; their ascent would be 0 and put the top line's letters
  // above the area, so those blocks reach up by the tallest ascent of the sheet.
  const int ascent = top <= kGlyphRowCount ? glyphRows[size_t(top)].base - glyphRows[size_t(top)].top : kGlyphAscent;
  // With a negative line spacing the lines run downwards; the area still spans them all.
  int highest = app.lineBase[1], lowest = app.lineBase[1];
  for (int k = 2; k <= top; ++k) {
    highest = std::min<int>(highest, app.lineBase[size_t(k)]);
    lowest = std::max<int>(lowest, app.lineBase[size_t(k)]);
  }
  w.y1 = uint16_t(std::max(0, highest - ascent));
  w.y2 = uint16_t(lowest + glyphRows[1].bottom - glyphRows[1].base);
}

class SrtWalk {
 public:
  SrtWalk(App& app, const std::vector<std::u32string>& lines) : app_(app), lines_(lines) {}

  // Reads cue after cue, letting the window handle input before each step; returns the index
  // of the line at which it stopped.
  size_t run() {
    const size_t quarter = lines_.size() / 4;
    SrtCueReader reader;
    reader.stop = [&](size_t i) {
      if (app_.pumpAndCheckCancel()) return true;
      if (i % 10 == 0 && quarter > 0) {
        app_.ui.ProgressBar.position = int(std::min<size_t>(100, app_.subs.size() * 100 / quarter));
        app_.host.repaint();
      }
      return false;
    };
    reader.cue = [&](SrtCue&& cue) { addCue(std::move(cue)); };
    reader.note = [&](const std::string& text) { note(app_, text); };
    const size_t stoppedAt = readSrtCues(lines_, reader);
    if (removedTags_) note(app_, "Formatting the letters cannot show was removed: " + removedTagNames(removedTags_) + ".");
    return stoppedAt;
  }

 private:
  void addCue(SrtCue&& cue) {
    if (cue.numberLine) app_.ui.mSRT.lines[*cue.numberLine] = cue.number;
    const CueLettering letters = letterCue(cue.text, measure_, app_.displayWidth);
    removedTags_ |= letters.removedTags;
    const std::string name = "Cue " + std::to_string(cue.num);
    if (!letters.missing.empty()) {
      std::string names;
      for (char32_t c : letters.missing) names += (names.empty() ? "" : ", ") + characterName(c);
      if (letters.missing.size() == kMaxMissingNamed) names += " and more";
      note(app_, name + ": no glyph for " + names + ".");
    }
    if (letters.broken) note(app_, name + ": a word wider than the screen was broken.");
    else if (letters.wrapped) note(app_, name + ": a line wider than the screen was wrapped.");
    if (letters.lines.empty()) {
      note(app_, name + " skipped: none of its characters can be drawn.");
      return;
    }
    TSUP& s = app_.appendSub();
    s.num = cue.num;
    s.startPts = uint32_t(cue.span.start * 90);
    s.endPts = uint32_t(cue.span.end * 90);
    s.startTime = pts2str(s.startPts);
    s.endTime = pts2str(s.endPts);
    s.palCount = 256;
    s.textOk = 1;
    s.lineCount = int32_t(letters.lines.size());
    for (const std::string& line : letters.lines) s.text += (s.text.empty() ? "" : "|") + line;
    app_.slog("Subtitle: " + std::to_string(app_.subs.size()), 1);
  }

  App& app_;
  const std::vector<std::u32string>& lines_;
  unsigned removedTags_ = 0;
  // As the renderer draws: to the last column of the widest glyph box.
  const LineMeasure measure_ = [this](const std::string& line, bool& italic) {
    app_.italicOn = italic;
    int boxes = 0;
    const int width = DrawLine(app_, line, 0, 0, true, &boxes);
    italic = app_.italicOn;
    return std::max(width, boxes);
  };
};

// Cues that start together are shown together, one above the other (a repeated cue once):
// one screen holds one subtitle at a time.
void joinSameStarts(App& app) {
  std::vector<TSUP>& subs = app.subs;
  size_t kept = 0;
  for (size_t i = 0; i < subs.size(); ++i) {
    if (kept > 0 && subs[i].startPts == subs[kept - 1].startPts) {
      TSUP& into = subs[kept - 1];
      const TSUP& s = subs[i];
      if (s.text == into.text) {
        note(app, cueName(s) + " repeats " + otherCue(into) + ": shown once.");
      } else {
        note(app, cueName(s) + " starts with " + otherCue(into) + ": shown below it.");
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
void orderAndPlace(App& app) {
  for (int32_t num : sortByStart(app.subs))
    note(app, "Cue " + std::to_string(num) + " starts before a cue above it: put in time order.");
  joinSameStarts(app);
  for (size_t i : cutOverlaps(app.subs)) {
    const TSUP& s = app.subs[i];
    note(app, cueName(s) + " overlaps " + otherCue(app.subs[i + 1]) + ": it now ends at " + s.endTime + ".");
  }
  for (TSUP& s : app.subs) {
    placeTextArea(app, s);
    if (s.lineCount > kMaxTextLines)
      note(app, cueName(s) + ": only its last " + std::to_string(kMaxTextLines) + " lines can be drawn.");
  }
}

// Why a file gave no subtitle, when it was read to its end.
std::string noCueReason(const App& app, const std::vector<std::u32string>& lines) {
  const std::string name = fileNameOf(app.srcName);
  const bool anyTimeLine = std::any_of(lines.begin(), lines.end(), [](const std::u32string& l) {
    return asciiOf(l).find("-->") != std::string::npos;
  });
  if (!anyTimeLine)
    return "No subtitle in " + name + ": it holds no time line such as 00:00:01,000 --> 00:00:02,500.";
  return "No subtitle in " + name + ": none of its cues can be shown (see above).";
}

// Ends the import whatever stopped it: the SRT view shows what was read, the buttons and the
// busy state are back to idle, and subtitle 1 is drawn.
void finishImport(App& app, size_t stoppedAt) {
  Controls& ui = app.ui;
  std::vector<std::string>& view = ui.mSRT.lines;
  // The view ends with the last line read; the blank line that ended the last cue goes too.
  size_t keep = std::min(stoppedAt, view.size());
  if (keep > 0 && trimLine(view[keep - 1]).empty()) --keep;
  view.resize(keep);

  const int count = int(app.subs.size());
  app.slog2("Ready.", "");
  app.logn(std::to_string(count) + " subtitles loaded.");
  app.log2("");
  ui.udSubs.max = count;

  ui.mSRT.visible = true;
  ui.showProgress(false);
  app.cancelReq = false;
  ui.bReadSUP.enabled = true;
  ui.bOCRall.enabled = false;
  ui.bExport.enabled = true;
  ui.bSaveBMP.enabled = true;
  // An empty list has nothing to save or export, and the picture of a former list must go.
  if (count == 0) {
    disableListCommands(ui);
    setSubsText(app, "0");
    showSubtitle(app, 0);
    return;
  }
  showFirstSubtitle(app);
}
}  // namespace

void importSrt(App& app, std::string_view bytes) {
  Controls& ui = app.ui;
  const DecodedText decoded = decodeText(bytes);
  const std::vector<std::u32string> lines = splitTextLines(decoded.text);
  ui.eSUPfile.text.clear();
  app.forgetSource();
  app.caption = programCaption();
  ui.lSRTfile.caption = app.srcName;
  ui.mSRT.lines.clear();
  for (const std::u32string& line : lines) ui.mSRT.lines.push_back(viewLine(line));
  ui.mSRT.visible = false;
  app.log2("Loading " + fileNameOf(app.srcName));
  note(app, std::string("Text encoding: ") + encodingName(decoded.encoding) + ".");
  app.slog("Loading...", 0);
  app.subFormat = sfSRT;
  // The text stands on the 1920 x 1080 canvas, whatever a DVD list before left the display at.
  app.displayWidth = kCanvasWidth;
  app.displayHeight = kCanvasHeight;
  app.host.repaint();

  ui.ProgressBar.position = 0;
  ui.showProgress(true);
  LongOperation op(app);
  app.subs.clear();

  size_t stoppedAt = lines.size();
  bool cancelled = false, failed = false;
  try {
    stoppedAt = SrtWalk(app, lines).run();
    cancelled = app.cancelReq;
    orderAndPlace(app);
  } catch (const std::exception& e) {
    // Out of memory on a huge file: reported, and the window is not left busy with a list
    // whose areas are not placed.
    app.erlog(e.what());
    app.subs.clear();
    failed = true;
  }
  // The list is new: what its commands may do is set afresh after the run.
  op.finish();
  finishImport(app, stoppedAt);
  app.srtDirty = false;  // the SRT view shows the imported file itself
  // Cancelling is no failure; a file read to its end without a single cue is.
  if (app.subs.empty() && !cancelled && !failed) app.erlog(noCueReason(app, lines));
}

void ReadSRT(App& app) {
  if (refusedWhileBusy(app)) return;
  if (app.letterSheet.empty()) {
    app.erlog(std::string(sheetFileName(app.ui.coLetters.itemIndex)) +
              " not found! You cannot import .srt files without it.");
    return;
  }
  std::string bytes;
  try {
    StreamFile file(app.srcName);
    const auto all = file.take(file.size());
    bytes.assign(all.begin(), all.end());
  } catch (const FileError& e) {
    app.erlog(e.what());  // the list stays as it was
    return;
  }
  importSrt(app, bytes);
  if (!app.subs.empty()) rememberFile(app.ui, app.srcName);
}

void bOpenSRTClick(App& app) {
  if (refusedWhileBusy(app)) return;
  const auto chosen = app.host.openFile(kOpenSrtTitle, kOpenSrtFilter, "");
  if (!chosen || chosen->empty()) return;
  app.srcName = *chosen;
  ReadSRT(app);
}
