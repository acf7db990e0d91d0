// SRT files as people write them: encodings, tags, long lines, cues out of order or
// overlapping, missing numbers, empty cues and stray blank lines. Each must give exactly its
// cues and its log notes, and the SRT text written from the list must be read by FFmpeg with
// every cue, in either encoding.
#include <gtest/gtest.h>

#include "app/app.h"
#include "app/settings_table.h"
#include "app/srt_page.h"
#include "render/draw_line.h"
#include "support/ffmpeg_frames.h"
#include "support/ffmpeg_srt.h"
#include "text/cp1252.h"
#include "text/srt_export.h"
#include "text/srt_fixture.h"
#include "model/text_lines.h"

namespace {
struct WantCue {
  int num;
  std::string start, end;
  std::string text;  // Windows-1252
};

struct SrtCase {
  const char* name;
  std::string bytes;
  std::vector<WantCue> cues;
  std::vector<std::string> notes;  // the log between "Loading" and the count
};

std::string utf16(const std::u16string& text, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t u : text) {
    const char hi = char(u >> 8), lo = char(u & 0xFF);
    out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
  }
  return out;
}

const std::string kTime = "00:00:01,000 --> 00:00:02,000\n";

const std::vector<SrtCase>& cases() {
  static const std::vector<SrtCase> all = {
      {"UTF-8 without a mark", "1\n" + kTime + "\xC3\xA1\xC3\xA9\xC3\xAD\xC3\xB3\xC3\xB6\xC3\xBA\xC3\xBC\xC3\xB1\xC3\x91\n",
       {{1, "00:00:01,000", "00:00:02,000", "\xE1\xE9\xED\xF3\xF6\xFA\xFC\xF1\xD1"}},
       {"Text encoding: UTF-8."}},
      {"UTF-8 with a mark, Cyrillic", "\xEF\xBB\xBF" "1\n" + kTime + "\xD0\x94\xD0\xB0!\n",
       {{1, "00:00:01,000", "00:00:02,000", "!"}},
       {"Text encoding: UTF-8 with byte-order mark.", "Cue 1: no glyph for U+0414, U+0430."}},
      {"UTF-16 little-endian", utf16(u"1\r\n00:00:01,000 --> 00:00:02,000\r\n\u00C1rv\u00EDzt\u0171r\u0151\r\n", false),
       {{1, "00:00:01,000", "00:00:02,000", "\xC1rv\xEDzturo"}},
       {"Text encoding: UTF-16 little-endian."}},
      {"UTF-16 big-endian", utf16(u"7\r\n00:00:01,000 --> 00:00:02,000\r\nHi\r\n", true),
       {{7, "00:00:01,000", "00:00:02,000", "Hi"}},
       {"Text encoding: UTF-16 big-endian."}},
      {"UTF-16 without a mark", utf16(u"1\n00:00:01,000 --> 00:00:02,000\nHi\n", false).substr(2),
       {{1, "00:00:01,000", "00:00:02,000", "Hi"}},
       {"Text encoding: UTF-16 little-endian."}},
      {"Windows-1252", "1\n" + kTime + "Caf\xE9 \x93quoted\x94 \x97 \x85\n",
       {{1, "00:00:01,000", "00:00:02,000", "Caf\xE9 \"quoted\" - ..."}},
       {"Text encoding: Windows-1252."}},
      {"stand-ins and characters without a glyph",
       "1\n" + kTime + "\xE2\x80\x9CHi\xE2\x80\x9D \xE2\x80\x94 it\xE2\x80\x99s 2+2=4 \xC5\x92uvre Stra\xC3\x9F" "e\xE2\x80\x8B \xE2\x99\xAA\n",
       {{1, "00:00:01,000", "00:00:02,000", "\"Hi\" - it's 2+2=4 OEuvre Strasse"}},
       {"Text encoding: UTF-8.", "Cue 1: no glyph for '=', U+266A."}},
      {"tags", "1\n" + kTime + "<b>Bold</b> <U>under</U> <font color=\"#ff0000\">red</font>\n{\\an8}<I>Top</I> a < b\n",
       {{1, "00:00:01,000", "00:00:02,000", "Bold under red|<i>Top</i> a < b"}},
       {"Text encoding: UTF-8.", "Formatting the letters cannot show was removed: <b>, <u>, <font>, {\\...}."}},
      {"out of order and overlapping",
       "1\n00:00:01,000 --> 00:00:05,000\nA\n\n2\n00:00:03,000 --> 00:00:06,000\nB\n\n"
       "3\n00:00:00,500 --> 00:00:00,900\nC\n",
       {{3, "00:00:00,500", "00:00:00,900", "C"}, {1, "00:00:01,000", "00:00:03,000", "A"},
        {2, "00:00:03,000", "00:00:06,000", "B"}},
       {"Text encoding: UTF-8.", "Cue 3 starts before a cue above it: put in time order.",
        "Cue 1 overlaps cue 2: it now ends at 00:00:03,000."}},
      {"cues that start together",
       "1\n00:00:01,000 --> 00:00:03,000\nSame\n\n2\n00:00:01,000 --> 00:00:02,000\nSame\n\n"
       "3\n00:00:01,000 --> 00:00:04,000\nOther\n\n4\n00:00:03,500 --> 00:00:05,000\nNext\n",
       {{1, "00:00:01,000", "00:00:03,500", "Same|Other"}, {4, "00:00:03,500", "00:00:05,000", "Next"}},
       {"Text encoding: UTF-8.", "Cue 2 repeats cue 1: shown once.", "Cue 3 starts with cue 1: shown below it.",
        "Cue 1 overlaps cue 4: it now ends at 00:00:03,500."}},
      {"no cue numbers", "00:00:01,000 --> 00:00:02,000\nA\n\n00:00:03,000 --> 00:00:04,000\nB\n",
       {{1, "00:00:01,000", "00:00:02,000", "A"}, {2, "00:00:03,000", "00:00:04,000", "B"}},
       {"Text encoding: UTF-8.", "Cues without a number are numbered after the cue before them."}},
      {"numbers with a sign, zero, loose times",
       "Made by someone\n\n0\n0:00:01.5 --> 0:00:02.25 X1:10\nA\n\nx-12 \n00:00:03,000 --> 00:00:04,000\nB\n",
       {{0, "00:00:01,500", "00:00:02,250", "A"}, {12, "00:00:03,000", "00:00:04,000", "B"}},
       {"Text encoding: UTF-8.", "Lines before the first cue were skipped."}},
      {"cues that cannot be shown",
       "1\n" + kTime + "\n2\n00:00:0a,000 --> 00:00:02,000\nB\n\n3\n00:00:05,000 --> 00:00:04,000\nC\n\n"
       "4\n00:00:06,000 --> 00:00:07,000\nD\n\n5\n13:15:22,000 --> 13:15:23,000\nE\n\n6\n00:00:08,000 --> 00:00:09,000\n\xE2\x99\xAA\n",
       {{4, "00:00:06,000", "00:00:07,000", "D"}},
       {"Text encoding: UTF-8.", "Cue 1 skipped: it has no text.",
        "Cue 2 skipped: its time line cannot be read: 00:00:0a,000 --> 00:00:02,000",
        "Cue 3 skipped: it ends at 00:00:04,000, not after its start at 00:00:05,000.",
        "Cue 5 skipped: it lies beyond 13:15:21,858.", "Cue 6: no glyph for U+266A.",
        "Cue 6 skipped: none of its characters can be drawn."}},
      {"stray blank lines", "1\r" + std::string("00:00:01,000 --> 00:00:02,000\r") + "A\r\r\rB\r\r\r2\r00:00:03,000 --> 00:00:04,000\r\r\rC\r",
       {{1, "00:00:01,000", "00:00:02,000", "A|B"}, {2, "00:00:03,000", "00:00:04,000", "C"}},
       {"Text encoding: UTF-8.", "Cue 1: the text after a blank line is kept in it.",
        "Cue 2: the text after a blank line is kept in it."}},
  };
  return all;
}

class SrtFiles : public SrtFixture {
 protected:
  void importAlone(const std::string& bytes) {
    app.clearLog();
    import(bytes);
  }
  // The log between the "Loading" line and the count.
  std::vector<std::string> notes() {
    std::vector<std::string> out;
    for (const LogLine& l : app.messages.lines()) out.push_back(l.text);
    return {out.begin() + 1, out.end() - 3};
  }
  // Saves the SRT text in the encoding and returns what FFmpeg reads of it.
  std::vector<FFmpegCue> throughFFmpeg(int encoding, std::string& errors) {
    applySetting(app, *findSetting("SrtEncoding"), SettingValue(encoding));
    SUP2Srt(app);
    const std::string path = dir.file("out.srt");
    writeSrtFile(path, app.ui.mSRT.lines, encoding);
    return ffmpegSrtCues(path, encoding == kSrtUtf8 ? "" : "CP1252", dir.path().string(), errors);
  }
};

}  // namespace

TEST_F(SrtFiles, EachGivesItsCuesAndNotesAndPlaysInFFmpeg) {
  for (const SrtCase& c : cases()) {
    SCOPED_TRACE(c.name);
    importAlone(c.bytes);
    EXPECT_EQ(notes(), c.notes);
    ASSERT_EQ(app.subs.size(), c.cues.size());
    for (size_t i = 0; i < c.cues.size(); ++i) {
      const TSUP& s = app.subs[i];
      const WantCue& w = c.cues[i];
      EXPECT_EQ(s.num, w.num);
      EXPECT_EQ(s.startTime, w.start);
      EXPECT_EQ(s.endTime, w.end);
      EXPECT_EQ(s.text, w.text);
      EXPECT_EQ(s.lineCount, int(splitLines(w.text).size()));
    }
    if (!haveFFmpeg()) continue;
    for (int encoding : {kSrtWindows1252, kSrtUtf8}) {
      std::string errors;
      const std::vector<FFmpegCue> read = throughFFmpeg(encoding, errors);
      EXPECT_EQ(errors, "") << "encoding " << encoding;
      ASSERT_EQ(read.size(), c.cues.size()) << "encoding " << encoding;
      for (size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].start, c.cues[i].start);
        EXPECT_EQ(read[i].end, c.cues[i].end);
        EXPECT_EQ(read[i].text, cp1252ToUtf8(withoutTags(c.cues[i].text)));
      }
    }
  }
  if (!haveFFmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
}

TEST_F(SrtFiles, LinesWiderThanTheScreenAreWrappedAtSpacesOrBroken) {
  const struct {
    std::string line;
    const char* note;
  } lines[] = {
      {"<i>Somewhere far beyond the hills, where the rivers meet the sea "
       "and the old towers stand, we will find the answer we were looking for.</i>",
       "Cue 1: a line wider than the screen was wrapped."},
      {std::string(100, 'W'), "Cue 1: a word wider than the screen was broken."},
  };
  for (const auto& l : lines) {
    importAlone("1\n" + kTime + l.line + "\n");
    ASSERT_EQ(app.subs.size(), 1u);
    EXPECT_EQ(notes(), (std::vector<std::string>{"Text encoding: UTF-8.", l.note}));
    const std::vector<std::string> parts = splitLines(app.subs[0].text);
    ASSERT_GT(parts.size(), 1u);
    // Nothing lost: the pieces make the line again; each fits, and the next piece's first
    // word (or letter) would not have fitted on it.
    const bool broken = l.line.find(' ') == std::string::npos;
    std::string joined;
    app.italicOn = false;
    for (size_t i = 0; i < parts.size(); ++i) {
      joined += (i == 0 || broken ? "" : " ") + parts[i];
      const bool italicBefore = app.italicOn;
      int boxes = 0;
      EXPECT_LE(std::max(measureLine(app, app.ui.ieSpacing.value(), parts[i], &boxes), boxes), 1920) << parts[i];
      const bool italicAfter = app.italicOn;
      if (i + 1 < parts.size()) {
        const std::string more = broken ? parts[i + 1].substr(0, 1) : " " + parts[i + 1].substr(0, parts[i + 1].find(' '));
        app.italicOn = italicBefore;
        EXPECT_GT(std::max(measureLine(app, app.ui.ieSpacing.value(), parts[i] + more, &boxes), boxes), 1920) << parts[i];
      }
      app.italicOn = italicAfter;
    }
    EXPECT_EQ(joined, l.line);
    EXPECT_EQ(app.subs[0].lineCount, int(parts.size()));
  }
}

TEST_F(SrtFiles, SavedTextGivesEverySubtitleAnEndAndLeavesOutEmptyOnes) {
  const struct {
    uint32_t start, end;
    const char* startTime;
    const char* endTime;
    const char* text;
  } subs[] = {
      {90000, 0, "00:00:01,000", "", "no end, the next starts later"},
      {270000, 0, "00:00:03,000", "", "||"},  // no text at all
      {360000, 450000, "00:00:04,000", "00:00:05,000", "blank|line||inside|"},
      {540000, 0, "00:00:06,000", "", "the last, no end"},
  };
  for (const auto& s : subs) {
    TSUP& t = app.appendSub();
    t.num = int(app.subs.size());
    t.startPts = s.start;
    t.endPts = s.end;
    t.startTime = s.startTime;
    t.endTime = s.endTime;
    t.text = s.text;
  }
  SUP2Srt(app);
  const std::vector<std::string> want = {
      "1", "00:00:01,000 --> 00:00:03,000", "no end, the next starts later", "",
      "3", "00:00:04,000 --> 00:00:05,000", "blank", "line", "inside", "",
      "4", "00:00:06,000 --> 00:00:08,000", "the last, no end", ""};
  EXPECT_EQ(app.ui.mSRT.lines, want);
  EXPECT_EQ(app.messages.plainText(),
            "Subtitle 1 has no end time: it ends at 00:00:03,000 in the SRT text.\n"
            "Subtitle 2 has no text: left out of the SRT text.\n"
            "Subtitle 4 has no end time: it ends at 00:00:08,000 in the SRT text.\n\n");
  EXPECT_EQ(srtFileText({"\xE9", "\xB7"}, kSrtWindows1252), "\xE9\r\n\xB7\r\n");
  EXPECT_EQ(srtFileText({"\xE9", "\xB7"}, kSrtUtf8), "\xEF\xBB\xBF\xC3\xA9\r\n\xC2\xB7\r\n");
  if (!haveFFmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
  std::string errors;
  const std::vector<FFmpegCue> read = throughFFmpeg(kSrtUtf8, errors);
  EXPECT_EQ(errors, "");
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[1].text, "blank|line|inside");
  EXPECT_EQ(read[2].end, "00:00:08,000");
}
