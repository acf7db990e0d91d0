// The recognition commands: the batch protocol, error navigation, the font choice, options,
// the dictionary offer.
#include "app/ocr_commands.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/app.h"
#include "app/recognition_panel.h"
#include "app/settings_table.h"
#include "ocr/corrections.h"
#include "support/test_host.h"

namespace {
class OcrCommands : public ::testing::Test {
 protected:
  TestHost host;
  std::unique_ptr<App> app = std::make_unique<App>(host);

  // A list whose pictures hold no ink (an SRT list without text): recognition finds nothing
  // and leaves each record as it was.
  void makeList(int count, int recognisedLines, int recognisedChars) {
    app->subFormat = sfSRT;
    app->subs.resize(size_t(count));
    for (int i = 0; i < count; ++i) {
      TSUP& s = app->subs[size_t(i)];
      s.num = i + 1;
      s.fontMode = fmNormal;
      s.textOk = 1;
      s.lineCount = recognisedLines;
      s.charCount = recognisedChars;
    }
    app->ui.udSubs.max = count;
    app->ui.ieSubs.text = "1";
    // As reading the list leaves them; a batch gives each back the state it had.
    for (TButton* b : {&app->ui.bOCRall, &app->ui.bExport, &app->ui.bSaveBMP, &app->ui.bReadSUP}) b->enabled = true;
  }
  int ocrTitles() const {
    int n = 0;
    for (const std::string& t : host.titles) n += t.find("OCRing") != std::string::npos;
    return n;
  }
  std::string log() const { return app->messages.plainText(); }
};

TEST_F(OcrCommands, BatchRecognisesOnlyNewSubtitlesButCountsAll) {
  makeList(1000, 2, 10);
  for (int i = 0; i < 10; ++i) {
    TSUP& s = app->subs[size_t(i * 97)];
    s.fontMode = fmUnrecognised;
    s.lineCount = 0;
    s.charCount = 0;
  }
  app->subs[1].text = "EEEEEE OOOOO AAAA III NN H";
  bOCRallClick(*app);
  EXPECT_EQ(ocrTitles(), 10);
  EXPECT_NE(log().find("Converting bitmaps to text\n"), std::string::npos);
  EXPECT_NE(log().find("1980 lines, 9900 characters recognized.\nOCR time: "), std::string::npos);
  EXPECT_NE(log().find("Statistic:\n"), std::string::npos);
  EXPECT_NE(log().find("\nDone.\n\n"), std::string::npos);
  EXPECT_EQ(app->totalLines, 1980);
  // The letters look English: the batch selects its dictionary without offering to apply it.
  EXPECT_EQ(app->ui.coLang.itemIndex, langEnglish);
  EXPECT_TRUE(host.questions.empty());
  EXPECT_EQ(app->ui.ProgressBar.max, 1000);

  const Controls& ui = app->ui;
  EXPECT_FALSE(app->busy);
  EXPECT_FALSE(app->ocrRender);
  EXPECT_FALSE(app->inUpdate);
  EXPECT_TRUE(app->srtDirty);
  EXPECT_FALSE(ui.bCancel.enabled);
  EXPECT_TRUE(ui.bOCRall.enabled && ui.bExport.enabled && ui.bSaveBMP.enabled && ui.bReadSUP.enabled);
  EXPECT_TRUE(ui.bNext.enabled);
  EXPECT_TRUE(ui.Image.visible && ui.mSRT.visible && ui.PageControl.enabled);
  EXPECT_FALSE(ui.ProgressBar.visible);
  EXPECT_EQ(ui.PageControl.activePage, pgImage);
  EXPECT_EQ(app->appTitle, "Marrowby");
  EXPECT_EQ(app->statusBar.panels[0].text, " Ready");
}

TEST_F(OcrCommands, CancelledBatchStopsAfterTheCurrentSubtitle) {
  makeList(10, 1, 3);
  for (TSUP& s : app->subs) s.fontMode = fmUnrecognised;
  bool sawBusy = false;
  host.onPump = [&] {
    sawBusy = app->busy && app->ui.bCancel.enabled && !app->ui.bOCRall.enabled && !app->ui.PageControl.enabled;
    if (host.pumps == 3) app->cancelReq = true;
  };
  bOCRallClick(*app);
  EXPECT_TRUE(sawBusy);
  EXPECT_EQ(ocrTitles(), 3);
  EXPECT_NE(log().find("3 lines, 9 characters recognized."), std::string::npos);
  EXPECT_EQ(log().find("Done."), std::string::npos);
  EXPECT_FALSE(app->cancelReq);
  EXPECT_FALSE(app->busy);
}

TEST_F(OcrCommands, NextAndPrevStopAtSubtitlesWithUnknownGlyphs) {
  makeList(5, 1, 1);
  app->subs[3].textOk = 0;
  app->ui.PageControl.activePage = pgStatus;
  bNextClick(*app);
  EXPECT_EQ(app->ui.ieSubs.text, "4");
  EXPECT_EQ(app->ui.PageControl.activePage, pgImage);

  app->ui.PageControl.activePage = pgStatus;
  bNextClick(*app);  // nothing after 4
  EXPECT_EQ(app->ui.ieSubs.text, "4");
  EXPECT_EQ(app->ui.PageControl.activePage, pgImage);

  app->ui.ieSubs.text = "5";
  bPrevClick(*app);
  EXPECT_EQ(app->ui.ieSubs.text, "4");
  app->ui.ieSubs.text = "1";
  app->ui.PageControl.activePage = pgStatus;
  bPrevClick(*app);
  EXPECT_EQ(app->ui.ieSubs.text, "1");
  EXPECT_EQ(app->ui.PageControl.activePage, pgImage);
}

TEST_F(OcrCommands, FontChoiceSetsTheSubtitlesStyle) {
  makeList(3, 1, 1);
  app->ui.ieSubs.text = "2";
  app->ui.rgFont.itemIndex = fmItalic;
  app->inUpdate = true;
  rgFontClick(*app);
  EXPECT_EQ(app->subs[1].fontMode, fmNormal);
  app->inUpdate = false;
  rgFontClick(*app);
  EXPECT_EQ(app->subs[1].fontMode, fmItalic);
  EXPECT_FALSE(app->ocrRender);
  app->ui.ieSubs.text = "9";  // beyond the list: nothing happens
  rgFontClick(*app);
}

TEST_F(OcrCommands, PanelShowsWhatAReadingStored) {
  makeList(3, 1, 1);
  TSUP& s = app->subs[1];
  s.fontMode = fmItalic;
  s.text = "kept|text";
  app->ui.mSubtext.lines = {"before"};
  showReading(*app, 2, ReadingStored::nothing);
  EXPECT_EQ(app->ui.ieSubs.text, "1");
  showReading(*app, 2, ReadingStored::record);  // the selector and the font follow, the text box stays
  EXPECT_EQ(app->ui.ieSubs.text, "2");
  EXPECT_EQ(app->ui.udSubs.position, 2);
  EXPECT_EQ(app->ui.rgFont.itemIndex, fmItalic);
  EXPECT_EQ(app->ui.mSubtext.lines, std::vector<std::string>{"before"});
  showReading(*app, 2, ReadingStored::recordAndText);
  EXPECT_EQ(app->ui.mSubtext.lines, (std::vector<std::string>{"kept", "text"}));
  EXPECT_FALSE(app->subs[1].locked);  // shown, not taken as an edit
}

TEST_F(OcrCommands, OptionRules) {
  auto set = [&](const char* name, int v) { applySetting(*app, *findSetting(name), int32_t(v)); };
  set("CutLevel", 300);
  EXPECT_EQ(app->ui.ieCutLevel.text, "255");
  set("CutLevel", 0);
  EXPECT_EQ(app->ui.ieCutLevel.text, "1");
  set("C_Div", 0);
  EXPECT_EQ(app->ui.ieDIV.text, "1");
  EXPECT_EQ(app->skew.div, 1);
  app->ui.ieDIV.text = "";  // a cleared box
  ieDIVChange(*app);
  EXPECT_EQ(app->ui.ieDIV.text, "1");
  set("C_Mul", 7);
  set("C_Div", 21);
  EXPECT_EQ(app->skew.mul, 7);
  EXPECT_EQ(app->skew.div, 21);
  set("C_Mul", -3);
  EXPECT_EQ(app->skew.mul, 1);
}

class Dictionary : public ::testing::Test {
 protected:
  TestHost host;
  std::unique_ptr<App> app = std::make_unique<App>(host);
};

TEST_F(Dictionary, AppliedToEveryTextOnYes) {
  app->subs.resize(3);
  app->subs[0].text = "lt's me";
  app->subs[1].text = "";
  app->subs[2].text = "AlB ln";
  app->subs[2].locked = 1;
  app->ui.coLang.itemIndex = 1;
  coLangChange(*app);
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.questions[0], "Do you want to apply the dictionary now?");
  EXPECT_EQ(app->subs[0].text, "It's me");
  EXPECT_EQ(app->subs[1].text, "");
  EXPECT_EQ(app->subs[2].text, "AlB In");  // only the language table: no l/I rules

  app->subs[0].text = "lt's me";
  host.answers.push_back(false);
  coLangChange(*app);
  EXPECT_EQ(app->subs[0].text, "lt's me");

  app->ui.coLang.itemIndex = 0;  // "N/A" asks nothing
  coLangChange(*app);
  EXPECT_EQ(host.questions.size(), 2u);
}

TEST_F(Dictionary, NoQuestionForAnEmptyList) {
  app->ui.coLang.itemIndex = 1;
  coLangChange(*app);
  EXPECT_TRUE(host.questions.empty());
}
}  // namespace
