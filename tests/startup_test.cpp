#include <gtest/gtest.h>

#include "app/app.h"
#include "app/settings_store.h"
#include "app/startup.h"
#include "support/memory_settings_store.h"
#include "support/temp_dir.h"
#include "support/test_host.h"

namespace {
std::vector<std::string> logLines(const App& app) {
  std::vector<std::string> out;
  for (const LogLine& l : app.messages.lines()) out.push_back(l.text);
  return out;
}
}  // namespace

class Startup : public ::testing::Test {
 protected:
  TestHost host;
  App app{host};
  TempDir dir;
  MemorySettingsStore store;
  std::string program = dir.file("bin");

  void SetUp() override { std::filesystem::create_directory(program); }
  void withLetterSheet() {
    std::filesystem::copy_file(std::string(MARROWBY_DATA_DIR) + "/abc.png", program + "/abc.png");
  }
};

TEST_F(Startup, SetsCaptionTitleAndStatusPageAndFindsTheLetterSheet) {
  withLetterSheet();
  app.ui.PageControl.activePage = pgImage;
  startUp(app, {}, program, store);
  EXPECT_EQ(app.caption, std::string("Marrowby v") + kVersion);
  EXPECT_EQ(app.appTitle, "Marrowby");
  EXPECT_EQ(host.titles.back(), "Marrowby");
  EXPECT_EQ(app.ui.PageControl.activePage, pgStatus);
  EXPECT_TRUE(app.ui.bOpenSRT.enabled);
  EXPECT_TRUE(app.messages.lines().empty());
}

TEST_F(Startup, TheCommandLineFileIsReadBeforeAMissingLetterSheetIsReported) {
  const std::string file = dir.write("odd.sup", std::string("XX--"));
  startUp(app, {file}, program, store);
  EXPECT_EQ(app.ui.eSUPfile.text, file);
  EXPECT_TRUE(app.ui.bReadSUP.enabled);
  const auto lines = logLines(app);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], file + " loading");
  EXPECT_EQ(lines[1], "Unsupported file format.");
  EXPECT_EQ(lines[2], program + "/abc.png not found!");
  EXPECT_EQ(lines[3], "You cannot import .srt files without it.");
  EXPECT_EQ(lines[4], "");
  EXPECT_FALSE(app.ui.bOpenSRT.enabled);
}

TEST_F(Startup, OnlyASingleExistingArgumentIsRead) {
  withLetterSheet();
  const std::string file = dir.write("odd.sup", std::string("XX--"));
  startUp(app, {file, file}, program, store);
  EXPECT_TRUE(app.ui.eSUPfile.text.empty());
  EXPECT_TRUE(app.messages.lines().empty());

  TestHost host2;
  App second{host2};
  startUp(second, {dir.file("missing.sup")}, program, store);
  EXPECT_TRUE(second.ui.eSUPfile.text.empty());
  EXPECT_TRUE(second.messages.lines().empty());
  EXPECT_TRUE(second.srtDirty);  // "Read SUP" ran on the empty box
}

TEST_F(Startup, StoredOptionsAreAppliedBeforeTheCommandLineFileIsRead) {
  withLetterSheet();
  app.log("from before");
  store.values["AutoClear"] = true;
  const std::string file = dir.write("odd.sup", std::string("XX--"));
  startUp(app, {file}, program, store);
  // "Auto clear" was already on when the file was read.
  EXPECT_EQ(logLines(app).front(), file + " loading");
}

TEST_F(Startup, ASecondActivationRepeatsNothing) {
  withLetterSheet();
  const std::string file = dir.write("odd.sup", std::string("XX--"));
  startUp(app, {file}, program, store);
  const size_t lines = app.messages.lines().size();
  store.values["Borders"] = true;
  app.ui.PageControl.activePage = pgOptions;
  startUp(app, {file}, program, store);
  EXPECT_EQ(app.messages.lines().size(), lines);
  EXPECT_FALSE(app.ui.cbBorders.checked);
  EXPECT_EQ(app.ui.PageControl.activePage, pgOptions);
}

TEST_F(Startup, FirstRunShowsDefaultsAndClosingStoresEveryValue) {
  withLetterSheet();
  startUp(app, {}, program, store);
  EXPECT_TRUE(app.ui.cbAutoRead.checked);
  EXPECT_EQ(app.ui.ieCutLevel.value(), 145);
  EXPECT_EQ(app.ui.window.width, 410);
  shutDown(app, store);
  EXPECT_EQ(store.values.size(), settingsTable().size());
  EXPECT_EQ(store.values["AutoRead"], SettingValue(true));
  EXPECT_EQ(store.values["CutLevel"], SettingValue(int32_t(145)));
  EXPECT_EQ(store.values["Top"], SettingValue(int32_t(200)));
  EXPECT_EQ(store.values["Backpic"], SettingValue(std::string()));
  EXPECT_TRUE(app.subs.empty());
}

TEST_F(Startup, ClosingStoresTheCurrentOptionsAndTheNextStartShowsThem) {
  withLetterSheet();
  startUp(app, {}, program, store);
  app.ui.cbDetails.checked = true;
  app.ui.ieCutLevel.setValue(120);
  app.ui.coLang.itemIndex = 1;
  app.ui.rgFrame.itemIndex = 4;
  app.ui.eWorkDir.text = "/out";
  app.ui.window.width = 800;
  shutDown(app, store);

  TestHost host2;
  App next{host2};
  startUp(next, {}, program, store);
  EXPECT_TRUE(next.ui.cbDetails.checked);
  EXPECT_EQ(next.ui.ieCutLevel.value(), 120);
  EXPECT_EQ(next.ui.coLang.items[size_t(next.ui.coLang.itemIndex)], "English");
  EXPECT_EQ(next.ui.rgFrame.itemIndex, 4);
  EXPECT_EQ(next.ui.eWorkDir.text, "/out");
  EXPECT_EQ(next.ui.window.width, 800);
}

TEST_F(Startup, AMaximisedWindowKeepsTheNormalBoundsStoredBefore) {
  store.values = {{"Width", int32_t(640)}, {"Height", int32_t(480)}, {"Top", int32_t(10)}, {"Left", int32_t(20)}};
  startUp(app, {}, program, store);
  app.ui.window = {1920, 1050, 0, 0, 2, 126};  // the maximised bounds
  shutDown(app, store);
  EXPECT_EQ(store.values["WindowState"], SettingValue(int32_t(2)));
  EXPECT_EQ(store.values["Width"], SettingValue(int32_t(640)));
  EXPECT_EQ(store.values["Left"], SettingValue(int32_t(20)));

  TestHost host2;
  App next{host2};
  startUp(next, {}, program, store);
  EXPECT_EQ(next.ui.window.windowState, 2);
  EXPECT_EQ(next.ui.window.width, 640);
  EXPECT_EQ(next.ui.window.top, 10);
}

TEST_F(Startup, AnItemIndexOutOfRangeKeepsItsDefault) {
  store.values = {{"Language", int32_t(7)}, {"Frame", int32_t(-1)}, {"Borders", true}};
  startUp(app, {}, program, store);
  EXPECT_EQ(app.ui.coLang.itemIndex, 0);
  EXPECT_EQ(app.ui.rgFrame.itemIndex, 0);
  EXPECT_TRUE(app.ui.cbBorders.checked);
}

TEST_F(Startup, NothingIsStoredWhenStartUpNeverRan) {
  shutDown(app, store);
  EXPECT_TRUE(store.values.empty());
}
