// Recognition with the second engine, as a user runs it: real lettering from a film read
// with Tesseract and with Auto, the program's own lettering left to the rules, italic lines
// tagged, a missing language, and "Cancel" in the middle of a run.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/app.h"
#include "app/settings_table.h"
#include "app/stream_export.h"
#include "app/ocr_commands.h"
#include "ocr/tesseract_reader.h"
#include "app/stream_loading.h"
#include "app/letter_sheet_load.h"
#include "support/character_errors.h"
#include "support/sintel_text.h"
#include "support/temp_dir.h"
#include "support/test_host.h"
#include "app/srt_loading.h"

namespace {
bool tesseractThere() {
  std::string problem;
  return openTesseract("eng", problem) != nullptr;
}

void set(App& app, const char* name, const SettingValue& value) {
  ASSERT_TRUE(applySetting(app, *findSetting(name), value)) << name;
}

std::vector<std::string> textsOf(const App& app) {
  std::vector<std::string> texts;
  for (const TSUP& s : app.subs) texts.push_back(s.text);
  return texts;
}

class TesseractReading : public ::testing::Test {
 protected:
  TestHost host;
  std::unique_ptr<App> app = std::make_unique<App>(host);

  void SetUp() override {
    if (!tesseractThere()) GTEST_SKIP() << "Tesseract or its English data is not installed";
  }
  void read(const std::string& path, size_t count) {
    app->ui.eSUPfile.text = path;
    bReadSUPClick(*app);
    ASSERT_EQ(app->subs.size(), count);
  }
  void readSintel() {
    if (!std::filesystem::exists(kSintelStream)) GTEST_SKIP() << kSintelStream << " is not there";
    read(kSintelStream, kSintelText.size());
  }
  // A Blu-ray stream lettered by the program from SRT cues.
  void readLettered(const std::string& srt, size_t count) {
    TempDir& dir = *dirs.emplace_back(std::make_unique<TempDir>());
    TestHost sourceHost;
    App source{sourceHost};
    loadLetterSheet(source, MARROWBY_DATA_DIR);
    source.srcName = dir.write("cues.srt", srt);
    ReadSRT(source);
    ASSERT_EQ(source.subs.size(), count);
    const std::string sup = dir.file("cues.sup");
    bExportClick(source, sup);
    ASSERT_TRUE(source.lastError.empty()) << source.lastError;
    read(sup, count);
  }
  std::string log() const { return app->messages.plainText(); }
  std::vector<std::unique_ptr<TempDir>> dirs;
};

TEST_F(TesseractReading, FilmLetteringReadsUnderOnePercentCharacterErrors) {
  ASSERT_NO_FATAL_FAILURE(readSintel());
  struct Case {
    const char* name;
    int engine;
  } cases[] = {{"Tesseract", engTesseract}, {"Auto", engAuto}};
  for (const Case& c : cases) {
    for (TSUP& s : app->subs) s.fontMode = fmUnrecognised;
    set(*app, "Engine", c.engine);
    bOCRallClick(*app);
    const double rate = errorRate(kSintelText, textsOf(*app), true);
    std::printf("%s: character error rate %.2f%%\n", c.name, rate);
    EXPECT_LT(rate, 1.0) << c.name;
    // Nothing on this film is italic.
    for (const TSUP& s : app->subs) EXPECT_EQ(s.fontMode, fmNormal) << c.name << " " << s.num;
  }
}

TEST_F(TesseractReading, TwoWindowsReadAsTheLinesOnScreen) {
  const std::string path = MARROWBY_SAMPLES_DIR "/pgs/subtitleedit-two-objects.sup";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << path << " is not there";
  read(path, 1);
  set(*app, "Engine", engAuto);
  bOCRallClick(*app);
  EXPECT_EQ(app->subs[0].text,
            "\"The World Item Market Prices\"|--The price of materials|has been plummeting for days...|"
            "--and why it's called \"the form|of new man-machine interface.\"");
}

TEST_F(TesseractReading, ItalicLinesGetTheirTags) {
  ASSERT_NO_FATAL_FAILURE(readLettered("1\n00:00:01,000 --> 00:00:03,000\n<i>Someone very dear?</i>\n"
                                       "A kindred spirit?\n\n",
                                       1));
  set(*app, "Engine", engTesseract);
  set(*app, "Tags", true);
  bOCRallClick(*app);
  EXPECT_EQ(app->subs[0].text, "<i>Someone very dear?</i>|A kindred spirit?");
  EXPECT_EQ(app->subs[0].fontMode, fmAuto);
  EXPECT_EQ(app->subs[0].textOk, 1);
}

TEST_F(TesseractReading, MissingLanguageSaysSoOnceAndTheRulesRead) {
  const std::string srt = "1\n00:00:01,000 --> 00:00:03,000\nWe found 42 letters.\n\n";
  ASSERT_NO_FATAL_FAILURE(readLettered(srt, 1));
  const struct {
    const char* language;
    const char* message;
  } cases[] = {
      {"zzz", "Tesseract has no language data for \"zzz\": install tesseract-ocr-zzz. The rules read alone."},
      {"eng+zz_yy", "Tesseract has no language data for \"zz_yy\": install tesseract-ocr-zz-yy. The rules read "
                    "alone."},
      {"../eng", "\"../eng\" is not a Tesseract language (such as eng, fra or eng+fra). The rules read alone."},
  };
  for (const auto& c : cases) {
    app->clearLog();
    set(*app, "Engine", engTesseract);
    set(*app, "OcrLang", std::string(c.language));
    for (int run = 0; run < 2; ++run) {
      app->subs[0].fontMode = fmUnrecognised;
      bOCRallClick(*app);
      EXPECT_EQ(app->subs[0].text, "We found 42 letters.") << c.language;
    }
    const std::string text = log();
    const size_t at = text.find(c.message);
    EXPECT_NE(at, std::string::npos) << c.language << "\n" << text;
    EXPECT_EQ(text.find(c.message, at + 1), std::string::npos) << c.language;  // once
  }
}

TEST_F(TesseractReading, OwnLetteringIsLeftToTheRulesUnderAuto) {
  ASSERT_NO_FATAL_FAILURE(readLettered("1\n00:00:01,000 --> 00:00:03,000\nNobody lost the keys.\n\n"
                                       "2\n00:00:04,000 --> 00:00:06,000\n<i>Jack paid for 7 tickets!</i>\n\n",
                                       2));
  set(*app, "Tags", true);
  bOCRallClick(*app);
  EXPECT_EQ(textsOf(*app), (std::vector<std::string>{"Nobody lost the keys.", "<i>Jack paid for 7 tickets!</i>"}));
  EXPECT_EQ(app->tesseract, nullptr);  // never opened: no subtitle needed it
}

TEST_F(TesseractReading, CancelLeavesEveryRecordWholeAndTheWorkersJoined) {
  ASSERT_NO_FATAL_FAILURE(readSintel());
  set(*app, "Engine", engTesseract);
  host.onPump = [&] {
    if (host.pumps == 6) app->cancelReq = true;
  };
  bOCRallClick(*app);
  EXPECT_EQ(log().find("Done."), std::string::npos);
  // Every subtitle handed to the workers before "Cancel" was stored; none after it was read.
  size_t read = 0;
  while (read < app->subs.size() && app->subs[read].fontMode != fmUnrecognised) ++read;
  EXPECT_GE(read, 5u);
  EXPECT_LT(read, app->subs.size());
  int lines = 0, chars = 0;
  for (size_t i = 0; i < app->subs.size(); ++i) {
    const TSUP& s = app->subs[i];
    if (i < read) {
      EXPECT_EQ(s.lineCount, std::count(kSintelText[i].begin(), kSintelText[i].end(), '|') + 1) << i;
      EXPECT_EQ(s.textOk, s.text.find('\xB7') == std::string::npos ? 1 : 0) << i;
    } else {
      EXPECT_EQ(s.fontMode, fmUnrecognised) << i;
      EXPECT_EQ(s.lineCount, 0) << i;
      EXPECT_EQ(s.text, "line " + std::to_string(i + 1)) << i;
    }
    lines += s.lineCount;
    chars += s.charCount;
  }
  EXPECT_EQ(app->totalLines, lines);
  EXPECT_EQ(app->totalChars, chars);
  EXPECT_FALSE(app->busy);
}
}  // namespace
