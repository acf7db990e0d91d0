// Recognition from the window: "OCR all", then "Prev" and "Next" walking the subtitles that
// still hold unknown glyphs, and "Save SRT" through the save dialog.
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "window_fixture.h"

namespace {
std::string makeStream(const TempDir& dir) { return letteredStream(dir, "five.sup", kFiveCues); }

std::vector<int> unknownGlyphSubtitles(const App& app) {
  std::vector<int> out;
  for (size_t i = 0; i < app.subs.size(); ++i)
    if (app.subs[i].textOk == 0) out.push_back(int(i + 1));
  return out;
}
}  // namespace

TEST_F(Window, PrevAndNextWalkTheUnknownGlyphsAfterOcrAll) {
  TfMain& w = open({makeStream(dir)});
  App& app = w.app();
  ASSERT_EQ(app.subs.size(), 5u);
  // The rules alone, which leave unknown glyphs on this lettering ("Auto" would read them again).
  auto* engine = find<QComboBox>("Engine");
  engine->setCurrentIndex(engRules);
  emit engine->activated(engRules);
  find<QPushButton>("bOCRall")->click();
  EXPECT_FALSE(app.busy);
  EXPECT_TRUE(find<QPushButton>("bNext")->isEnabled());
  EXPECT_EQ(find<QLineEdit>("ieSubs")->text(), "1");

  const std::vector<int> errors = unknownGlyphSubtitles(app);
  ASSERT_GE(errors.size(), 2u);
  EXPECT_NE(std::find(errors.begin(), errors.end(), 2), errors.end());
  EXPECT_NE(std::find(errors.begin(), errors.end(), 4), errors.end());

  auto* next = find<QPushButton>("bNext");
  auto* prev = find<QPushButton>("bPrev");
  const auto shown = [&] { return find<QLineEdit>("ieSubs")->text().toInt(); };
  // From subtitle 1 "Next" visits every later error in order, then stays on the last one.
  std::vector<int> want, walked;
  for (int e : errors)
    if (e > 1) want.push_back(e);
  want.push_back(want.back());
  for (size_t k = 0; k < want.size(); ++k) {
    next->click();
    walked.push_back(shown());
  }
  EXPECT_EQ(walked, want);
  EXPECT_EQ(find<QTabWidget>("PageControl")->currentIndex(), int(pgImage));
  // Each jump recognised the subtitle again and shows its text with the unknown mark.
  EXPECT_NE(find<QPlainTextEdit>("mSubtext")->toPlainText().indexOf(QChar(0xB7)), -1);

  // "Prev" walks back through the earlier ones and stays on the first.
  want.assign(errors.rbegin() + 1, errors.rend());
  want.push_back(errors.front());
  walked.clear();
  for (size_t k = 0; k < want.size(); ++k) {
    prev->click();
    walked.push_back(shown());
  }
  EXPECT_EQ(walked, want);
}

TEST_F(Window, OpeningTheSrtPageShowsTheRecognisedTextAndSaveSrtWritesIt) {
  TfMain& w = open({makeStream(dir)});
  find<QPushButton>("bOCRall")->click();
  find<QTabWidget>("PageControl")->setCurrentIndex(pgSRT);
  const QString shown = find<QPlainTextEdit>("mSRT")->toPlainText();
  EXPECT_NE(shown.indexOf("00:00:07,000 --> 00:00:08,000"), -1);
  EXPECT_EQ(w.app().ui.mSRT.lines.size(), 5u * 4u);  // one text line per subtitle
  ASSERT_TRUE(find<QPushButton>("bSaveSRT")->isEnabled());

  const std::string saved = dir.file("saved.srt");
  std::string title;
  w.host().answerDialog = [&](const std::string& t) -> std::optional<std::string> {
    title = t;
    return saved;
  };
  find<QPushButton>("bSaveSRT")->click();
  EXPECT_EQ(title, "Save SubRip subtitle (SRT)");
  const std::vector<uint8_t> bytes = readFileBytes(saved);
  const std::string text(bytes.begin(), bytes.end());
  std::string want;
  for (const std::string& line : w.app().ui.mSRT.lines) want += line + "\r\n";
  EXPECT_EQ(text, want);
  EXPECT_EQ(text.rfind("1\r\n00:00:01,000 --> 00:00:02,000\r\n", 0), 0u);
}
