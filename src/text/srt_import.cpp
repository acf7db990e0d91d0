#include "text/srt_import.h"

#include <algorithm>
#include <optional>

#include "app/app.h"
#include "app/command_guards.h"
#include "app/file_error.h"
#include "app/long_operation.h"
#include "app/recent_files.h"
#include "app/subtitle_selector.h"
#include "model/file_names.h"
#include "readers/stream_file.h"
#include "render/draw_line.h"
#include "render/draw_sub.h"
#include "text/srt_time.h"
#include "text/text_lines.h"

namespace {
const char* const kOpenSrtTitle = "Open SubRip subtile (SRT)";
const char* const kOpenSrtFilter = "SRT (SubRip subtitle)|*.srt";

// Lines of 8 or more characters cannot be cue numbers.
constexpr size_t kMaxNumberLength = 7;
// The time line: start in characters 1 to 12, end in 18 to 29.
constexpr size_t kEndTimePos = 17;
constexpr size_t kTimeLength = 12;

struct CueTimes {
  std::string startTime, endTime;
  uint32_t startPts = 0, endPts = 0;
};

// The cue number of a number line: the digits after its last non-digit, so that a byte-order
// mark or a sign in front is dropped. Blanks and control characters at the end are dropped
// first, so that "12 " reads as 12; a line that leaves no digits is no cue number.
std::string numberDigits(const std::string& line) {
  size_t end = line.size();
  while (end > 0 && (unsigned char)line[end - 1] <= ' ') --end;
  size_t start = end;
  while (start > 0 && line[start - 1] >= '0' && line[start - 1] <= '9') --start;
  return line.substr(start, end - start);
}

std::optional<CueTimes> readTimeLine(const std::string& line) {
  if (line.size() < kEndTimePos + kTimeLength) return std::nullopt;
  CueTimes t{line.substr(0, kTimeLength), line.substr(kEndTimePos, kTimeLength)};
  const auto start = txt2ptm(t.startTime), end = txt2ptm(t.endTime);
  if (!start || !end) return std::nullopt;
  t.startPts = *start;
  t.endPts = *end;
  return t;
}

// Top and bottom rows of a cue's text block on the baselines of its n lines. The renderer
// replaces them by the rows it inks.
void placeRows(const App& app, TSUPWin& w, int n) {
  // A cue of more than ten lines has baselines for its last ten only: the lines above are
  // not drawn, and the area starts above the tenth.
  const int top = std::min(n, kMaxTextLines);
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
  SrtWalk(App& app, std::vector<std::string> lines) : app_(app), lines_(std::move(lines)) {}

  // Reads cue after cue, letting the window handle input before each step; returns the index
  // of the line at which it stopped.
  size_t run() {
    const size_t quarter = lines_.size() / 4;
    size_t i = 0;
    while (i < lines_.size() && !app_.pumpAndCheckCancel()) i = step(i, quarter);
    return i;
  }

 private:
  // Handles the line at i, a cue number or a line to skip; returns the next line to handle.
  size_t step(size_t i, size_t quarter) {
    const std::string& line = lines_[i];
    if (line.empty() || line.size() > kMaxNumberLength) return i + 1;
    const std::string digits = numberDigits(line);
    if (digits.empty()) return i + 1;
    const int32_t num = std::stoi(digits);
    if (num < 1) return i + 1;
    app_.ui.mSRT.lines[i] = digits;
    const size_t cue = app_.subs.size() + 1;
    app_.slog("Subtitle: " + std::to_string(cue), 1);
    if (i % 10 == 0 && quarter > 0) {
      app_.ui.ProgressBar.position = int(std::min<size_t>(100, (cue - 1) * 100 / quarter));
      app_.host.repaint();
    }
    // A number line at the very end, or one not followed by a time line, starts no cue; the
    // walk goes on with the next line.
    const std::optional<CueTimes> times = i + 1 < lines_.size() ? readTimeLine(lines_[i + 1]) : std::nullopt;
    if (!times) {
      note("Cue " + digits + " skipped: no time line follows its number.");
      return i + 1;
    }
    std::vector<std::string> text;
    size_t next = i + 2;
    while (next < lines_.size()) {
      const std::string t = trimLine(lines_[next++]);
      if (t.empty()) break;
      // The stored text joins lines with "|", so a "|" inside a line breaks it in two;
      // otherwise the count of lines and the parts of the text would disagree.
      for (const std::string& part : splitLines(t))
        if (std::string p = trimLine(part); !p.empty()) text.push_back(std::move(p));
    }
    // A cue without text shows nothing and would give an empty area to the writers.
    if (text.empty()) {
      note("Cue " + digits + " skipped: it has no text.");
      return next;
    }
    if (text.size() > size_t(kMaxTextLines))
      note("Cue " + digits + ": only its last " + std::to_string(kMaxTextLines) + " lines can be drawn.");
    addCue(num, *times, text);
    return next;
  }

  void addCue(int32_t num, const CueTimes& times, const std::vector<std::string>& text) {
    TSUP& s = app_.appendSub();
    const int sub = int(app_.subs.size()) - 1;
    s.num = num;
    s.startTime = times.startTime;
    s.endTime = times.endTime;
    s.startPts = times.startPts;
    s.endPts = times.endPts;
    s.palCount = 256;
    s.textOk = 1;
    s.lineCount = int32_t(text.size());
    // Measured as the renderer will draw it: each subtitle starts upright.
    app_.italicOn = false;
    int widest = 0, widestBoxes = 0;
    for (const std::string& t : text) {
      if (!s.text.empty()) s.text += '|';
      s.text += t;
      int boxes = 0;
      widest = std::max(widest, DrawLine(app_, t, 0, sub, true, &boxes));
      widestBoxes = std::max(widestBoxes, boxes);
    }
    centreTextColumns(app_, s.win[0], widest, widestBoxes);
    placeRows(app_, s.win[0], int(text.size()));
  }

  // A line about a cue in the log, which keeps the empty line that the count at the end
  // takes the place of.
  void note(const std::string& text) {
    app_.logn(text);
    app_.log("");
  }

  App& app_;
  const std::vector<std::string> lines_;
};

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
    DrawSub(app, 0);
    return;
  }
  showFirstSubtitle(app);
}
}  // namespace

std::vector<std::string> splitTextLines(std::string_view bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    lines.emplace_back(bytes.substr(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
  return lines;
}

std::string trimLine(std::string_view line) {
  size_t a = 0, b = line.size();
  while (a < b && (unsigned char)line[a] <= ' ') ++a;
  while (b > a && (unsigned char)line[b - 1] <= ' ') --b;
  return std::string(line.substr(a, b - a));
}

void importSrt(App& app, std::string_view bytes) {
  Controls& ui = app.ui;
  std::vector<std::string> lines = splitTextLines(bytes);
  ui.eSUPfile.text.clear();
  ui.lSRTfile.caption = app.srcName;
  ui.mSRT.lines = lines;
  ui.mSRT.visible = false;
  app.log2("Loading " + fileNameOf(app.srcName));
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
  try {
    stoppedAt = SrtWalk(app, std::move(lines)).run();
  } catch (const std::exception& e) {
    // Out of memory on a huge file: the cues read so far stay, the window is not left busy.
    app.erlog(e.what());
  }
  // The list is new: what its commands may do is set afresh after the run.
  op.finish();
  finishImport(app, stoppedAt);
  app.srtDirty = false;  // the SRT view shows the imported file itself
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
