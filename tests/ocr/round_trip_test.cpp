// The round trip a user makes: an SRT file imported into pictures, exported as a Blu-ray
// stream, read back, recognised with "OCR all" and saved as SRT again. The recognised text
// is measured against the original by its character error rate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "app/app.h"
#include "app/stream_export.h"
#include "app/ocr_commands.h"
#include "app/stream_loading.h"
#include "app/letter_sheet_load.h"
#include "support/character_errors.h"
#include "support/temp_dir.h"
#include "support/test_host.h"
#include "app/srt_page.h"
#include "app/srt_loading.h"
#include "text/text_file_lines.h"

namespace {
std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string withoutTags(std::string text) {
  for (const std::string tag : {"<i>", "</i>"})
    for (size_t p; (p = text.find(tag)) != std::string::npos;) text.erase(p, tag.size());
  return text;
}

// An SRT file as blocks: the number line, the time line and the text lines of each cue.
struct Cue {
  std::string number, times, text;  // text lines joined with "\n"
};

std::vector<Cue> cuesOf(const std::string& bytes) {
  std::vector<Cue> cues;
  const std::vector<std::string> lines = splitTextLines(bytes);
  for (size_t i = 0; i + 1 < lines.size();) {
    if (lines[i].empty()) {
      ++i;
      continue;
    }
    Cue c{lines[i], lines[i + 1], ""};
    for (i += 2; i < lines.size() && !lines[i].empty(); ++i) c.text += (c.text.empty() ? "" : "\n") + lines[i];
    cues.push_back(c);
  }
  return cues;
}

// What a user does first: opens the SRT file with the program's letter sheet and exports it
// as a Blu-ray stream.
void exportSrt(const std::string& srtPath, const std::string& supPath, size_t cues) {
  TestHost host;
  App source{host};
  loadLetterSheet(source, MARROWBY_DATA_DIR);
  source.srcName = srtPath;
  ReadSRT(source);
  ASSERT_EQ(source.subs.size(), cues);
  bExportClick(source, supPath);
  ASSERT_TRUE(source.lastError.empty()) << source.lastError;
}

std::vector<std::string> textsOf(const std::vector<Cue>& cues, bool tags) {
  std::vector<std::string> texts;
  for (const Cue& c : cues) texts.push_back(tags ? c.text : withoutTags(c.text));
  return texts;
}

const std::string kRoundTripSrt = std::string(MARROWBY_TEST_DATA_DIR) + "/round_trip.srt";

// Then reads the stream and runs "OCR all" with "English" and the italic tags.
void readAndRecognise(App& app, const std::string& supPath, size_t subtitles) {
  app.ui.eSUPfile.text = supPath;
  bReadSUPClick(app);
  ASSERT_EQ(app.subFormat, sfBluRay);
  ASSERT_EQ(app.subs.size(), subtitles);
  app.ui.coLang.itemIndex = 1;  // "English"
  app.ui.cbTags.checked = true;
  bOCRallClick(app);
}
}  // namespace

TEST(OcrRoundTrip, ImportedSrtExportedReadAndRecognisedReadsAsTheOriginal) {
  const std::string srtPath = kRoundTripSrt;
  const std::vector<Cue> original = cuesOf(readFile(srtPath));
  ASSERT_GE(original.size(), 50u);
  TempDir dir;
  const std::string supPath = dir.file("round_trip.sup");
  ASSERT_NO_FATAL_FAILURE(exportSrt(srtPath, supPath, original.size()));

  TestHost host;
  App app{host};
  ASSERT_NO_FATAL_FAILURE(readAndRecognise(app, supPath, original.size()));
  // The sentences were chosen so that their six most frequent letters (small ones counted
  // only from a to p) are E, O, A, I, N, H: the statistic must see them as written.
  EXPECT_NE(app.messages.plainText().find("Most important letters: EOAINH"), std::string::npos);
  EXPECT_NE(app.messages.plainText().find("It seems to be in English."), std::string::npos);

  const std::string savedPath = dir.file("saved.srt");
  app.ui.PageControl.activePage = pgSRT;
  PageControlChange(app);
  host.dialogs.push_back(savedPath);
  bSaveSRTClick(app);
  const std::vector<Cue> saved = cuesOf(readFile(savedPath));
  ASSERT_EQ(saved.size(), original.size());

  for (size_t i = 0; i < original.size(); ++i) {
    EXPECT_EQ(saved[i].number, std::to_string(i + 1));
    EXPECT_EQ(saved[i].times, original[i].times);
  }
  const double rate = errorRate(textsOf(original, true), textsOf(saved, true), true);
  std::printf("character error rate: %.2f%%; without the italic tags %.2f%%\n", rate,
              errorRate(textsOf(original, false), textsOf(saved, false), false));
  // No error at all when the letter sheet was last drawn.
  EXPECT_LT(rate, 1.0);
}

// A line ending in an italic f: the measured width stops five columns short of the f's box,
// where its hook ends. The exported picture must hold the whole hook for the f to read as f.
TEST(OcrRoundTrip, LineEndingInAnItalicFKeepsItsHook) {
  TempDir dir;
  const std::string supPath = dir.file("stuff.sup");
  ASSERT_NO_FATAL_FAILURE(
      exportSrt(dir.write("stuff.srt", "1\n00:00:01,000 --> 00:00:02,000\n<i>Enough stuff</i>\n\n"), supPath, 1));
  TestHost host;
  App app{host};
  ASSERT_NO_FATAL_FAILURE(readAndRecognise(app, supPath, 1));
  EXPECT_EQ(app.subs[0].text, "<i>Enough stuff</i>");
}

// The same sentences with every line in italics. A line starts upright and its first word is
// read italic only when that word's first glyph is narrower read slanted.
TEST(OcrRoundTrip, TheSentencesAllInItalicsReadBackAsWritten) {
  const std::vector<Cue> original = cuesOf(readFile(kRoundTripSrt));
  std::string srt;
  std::vector<std::string> want;
  for (const Cue& c : original) {
    std::string text;
    for (const std::string& line : splitTextLines(withoutTags(c.text)))
      text += (text.empty() ? "" : "|") + ("<i>" + line + "</i>");
    want.push_back(text);
    std::replace(text.begin(), text.end(), '|', '\n');
    srt += c.number + "\n" + c.times + "\n" + text + "\n\n";
  }
  TempDir dir;
  const std::string supPath = dir.file("italic.sup");
  ASSERT_NO_FATAL_FAILURE(exportSrt(dir.write("italic.srt", srt), supPath, original.size()));
  TestHost host;
  App app{host};
  ASSERT_NO_FATAL_FAILURE(readAndRecognise(app, supPath, original.size()));
  std::vector<std::string> got;
  for (const TSUP& s : app.subs) got.push_back(s.text);
  const double rate = errorRate(want, got, true);
  std::printf("character error rate, all in italics: %.2f%%\n", rate);
  // 0.1% when the letter sheet was last drawn: two spaces after a comma and before a "j".
  EXPECT_LT(rate, 1.0);
}
