#include <gtest/gtest.h>

#include <map>

#include "app/controls.h"
#include "app/option_events.h"
#include "app/settings_table.h"
#include "app/app.h"
#include "app/recent_files.h"
#include "support/test_host.h"

TEST(IntEdit, ReadsDecimalOrZero) {
  TIntEdit e;
  EXPECT_EQ(e.text, "0");
  for (auto [text, v] : std::vector<std::pair<std::string, int>>{
           {"-", 0}, {"", 0}, {"12", 12}, {"-7", -7}, {"+5", 5}, {"1a", 0}, {"99999999999", 0}, {"--1", 0}}) {
    e.text = text;
    EXPECT_EQ(e.value(), v) << text;
  }
  e.setValue(-42);
  EXPECT_EQ(e.text, "-42");
  EXPECT_TRUE(TIntEdit::acceptsKey('7'));
  EXPECT_TRUE(TIntEdit::acceptsKey('\b'));
  EXPECT_TRUE(TIntEdit::acceptsKey('-'));
  EXPECT_FALSE(TIntEdit::acceptsKey('a'));
  EXPECT_FALSE(TIntEdit::acceptsKey(' '));
}

TEST(HexEdit, SkipsWhatIsNotAHexDigit) {
  THexEdit h;
  h.text = "1G2";
  EXPECT_EQ(h.value(), 0x12u);
  h.text = "eb";
  EXPECT_EQ(h.value(), 0xEBu);
  h.setValue(0xA);
  EXPECT_EQ(h.text, "0A");
  EXPECT_TRUE(THexEdit::acceptsKey('f'));
  EXPECT_FALSE(THexEdit::acceptsKey('g'));
}

TEST(Controls, StartAsTheWindowStarts) {
  Controls ui;
  EXPECT_FALSE(ui.bReadSUP.enabled);
  EXPECT_FALSE(ui.bSaveBMP.enabled);
  EXPECT_FALSE(ui.bOCRall.enabled);
  EXPECT_FALSE(ui.bCancel.enabled);
  EXPECT_FALSE(ui.bExport.enabled);
  EXPECT_FALSE(ui.ProgressBar.visible);
  EXPECT_TRUE(ui.cbAutoRead.checked);
  EXPECT_TRUE(ui.cbPNG.checked);
  EXPECT_EQ(ui.ieSubs.text, "1");
  EXPECT_EQ(ui.rgFont.itemIndex, 1);
  EXPECT_EQ(ui.rgDrop.itemIndex, 1);
  EXPECT_EQ(ui.PageControl.pages.size(), 5u);
}

TEST(Settings, DefaultsAndRoundTrip) {
  TestHost host;
  App app(host);
  const std::map<std::string, SettingValue> defaults = {
      {"Top", 200},        {"Left", 366},      {"WindowState", 0}, {"SubHeight", 126}, {"Backpic", ""},
      {"Background", false}, {"AutoRead", true}, {"SavePNG", true},  {"C_Mul", 4},       {"C_Div", 19},
      {"LastLine", 1010},  {"LineSpc", 90},    {"Spacing", 4},     {"MaxColor", 220},  {"CutLevel", 145},
      {"Language", 0},     {"SpaceWidth", 20}, {"SpaceWmin", 10},  {"Format", 0},      {"Frame", 0},
      {"720p", false},     {"OCR", false},     {"Scenarist", false}, {"Fit", true},   {"Recent1", ""},
      {"Recent8", ""},     {"SrtEncoding", 0},  {"Engine", engAuto}, {"OcrLang", std::string("eng")}};
  for (const auto& [name, v] : defaults) EXPECT_EQ(getSetting(app, *findSetting(name)), v) << name;
  EXPECT_EQ(settingsTable().size(), 45u);
  EXPECT_TRUE(applySetting(app, *findSetting("Recent2"), SettingValue(std::string("/films/b.sup"))));
  EXPECT_EQ(app.ui.recentFiles[1], "/films/b.sup");

  const SettingInfo& lang = *findSetting("Language");
  EXPECT_TRUE(applySetting(app, lang, SettingValue(1)));
  EXPECT_EQ(app.ui.coLang.items[size_t(app.ui.coLang.itemIndex)], "English");
  EXPECT_FALSE(applySetting(app, lang, SettingValue(7)));  // no such item: ignored
  EXPECT_EQ(app.ui.coLang.itemIndex, 1);
  EXPECT_FALSE(applySetting(app, lang, SettingValue(std::string("x"))));  // wrong type
}

TEST(Settings, ParsesTextForms) {
  EXPECT_EQ(parseSetting(*findSetting("CutLevel"), "150"), SettingValue(150));
  EXPECT_EQ(parseSetting(*findSetting("CutLevel"), "15x"), std::nullopt);
  EXPECT_EQ(parseSetting(*findSetting("CutLevel"), ""), std::nullopt);
  EXPECT_EQ(parseSetting(*findSetting("Tags"), "true"), SettingValue(true));
  EXPECT_EQ(parseSetting(*findSetting("Tags"), "0"), SettingValue(false));
  EXPECT_EQ(parseSetting(*findSetting("Tags"), "yes"), std::nullopt);
  EXPECT_EQ(parseSetting(*findSetting("Workdir"), "/tmp/a b"), SettingValue(std::string("/tmp/a b")));
  EXPECT_EQ(findSetting("Nope"), nullptr);
}

TEST(Settings, NumberBoxesTakeTheDigitsOfTheirRangeAndClampWhenTheEditIsDone) {
  TestHost host;
  App app(host);
  struct Case {
    const char* name;
    int maxLength;
    const char* typed;
    const char* done;
  };
  for (const Case& c : std::vector<Case>{{"CutLevel", 3, "", "1"},      {"CutLevel", 3, "300", "255"},
                                         {"CutLevel", 3, "150", "150"}, {"CutLevel", 3, "-5", "1"},
                                         {"C_Mul", 3, "0", "1"},        {"C_Div", 3, "999", "999"},
                                         {"SpaceWidth", 2, "-9", "0"},  {"SpaceWmin", 2, "07", "7"},
                                         {"Spacing", 1, "-", "0"},      {"LastLine", 4, "+1010", "1010"},
                                         {"LineSpc", 4, "-50", "-50"},  {"MaxColor", 3, "256", "255"}}) {
    TIntEdit& box = *numberBox(app.ui, c.name);
    EXPECT_EQ(box.maxLength, c.maxLength) << c.name;
    box.text = c.typed;  // each key leaves the text as typed
    EXPECT_EQ(box.text, c.typed) << c.name;
    optionChanged(app, c.name);
    EXPECT_EQ(box.text, c.done) << c.name << " " << c.typed;
  }
  // A stored value beyond what the box can show is brought into its range as well.
  applySetting(app, *findSetting("C_Div"), SettingValue(5000));
  EXPECT_EQ(app.ui.ieDIV.text, "999");
  EXPECT_EQ(app.skew.div, 999);
  EXPECT_EQ(numberBox(app.ui, "Tags"), nullptr);
}

TEST(RecentFiles, NewestFirstWithoutRepeatsAndAtMostEight) {
  Controls ui;
  for (const char* f : {"a", "b", "a", "", "c", "d", "e", "f", "g", "h", "i", "c"}) rememberFile(ui, f);
  forgetFile(ui, 1);
  forgetFile(ui, 8);  // no such entry
  EXPECT_EQ(ui.recentFiles, (std::array<std::string, 8>{"c", "h", "g", "f", "e", "d", "a", ""}));
}
