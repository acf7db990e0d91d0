#include <gtest/gtest.h>

#include "app/app.h"
#include "app/long_operation.h"
#include "app/subtitle_selector.h"
#include "app/window_commands.h"
#include "support/temp_dir.h"
#include "support/test_host.h"

namespace {
std::vector<std::string> logLines(const App& app) {
  std::vector<std::string> out;
  for (const LogLine& l : app.messages.lines()) out.push_back(l.text);
  return out;
}

// A long operation of `items` items that stops when asked; returns how many it finished.
int runItems(App& app, int items) {
  LongOperation op(app);
  int done = 0;
  for (int i = 0; i < items; ++i) {
    ++done;
    if (op.stopRequested()) break;
  }
  return done;
}
}  // namespace

class Cancel : public ::testing::Test {
 protected:
  TestHost host;
  App app{host};
};

TEST_F(Cancel, WithNothingRunningSetsTheRequestSilentlyAndTheNextOperationClearsIt) {
  bCancelClick(app);
  EXPECT_TRUE(app.cancelReq);
  EXPECT_TRUE(host.questions.empty());
  EXPECT_TRUE(app.messages.lines().empty());
  EXPECT_EQ(runItems(app, 5), 5);
  EXPECT_FALSE(app.busy);
  EXPECT_FALSE(app.ui.bCancel.enabled);
}

TEST_F(Cancel, DuringAnOperationAsksAndStopsOnYes) {
  app.log2("Working");
  host.onPump = [&] {
    EXPECT_TRUE(app.busy);
    EXPECT_TRUE(app.ui.bCancel.enabled);
    if (host.pumps == 3) bCancelClick(app);
  };
  EXPECT_EQ(runItems(app, 10), 3);
  EXPECT_EQ(host.questions, std::vector<std::string>{"Are you sure to stop?"});
  // The empty line left by log2 is replaced, "Cancelled." follows, then an empty line.
  EXPECT_EQ(logLines(app), (std::vector<std::string>{"Working", "", "Cancelled.", ""}));
  EXPECT_FALSE(app.busy);
  EXPECT_FALSE(app.ui.bCancel.enabled);
}

TEST_F(Cancel, AnsweringNoChangesNothing) {
  host.answers = {false};
  host.onPump = [&] {
    if (host.pumps == 1) bCancelClick(app);
  };
  EXPECT_EQ(runItems(app, 4), 4);
  EXPECT_FALSE(app.cancelReq);
  EXPECT_TRUE(app.messages.lines().empty());
}

TEST_F(Cancel, AnErrorInsideAnOperationLeavesTheWindowIdle) {
  EXPECT_THROW(
      {
        LongOperation op(app);
        throw std::runtime_error("disk full");
      },
      std::runtime_error);
  EXPECT_FALSE(app.busy);
  EXPECT_FALSE(app.ui.bCancel.enabled);
}

TEST_F(Cancel, ClosingWhileBusyCancelsInsteadAndKeepsTheWindowOpen) {
  bool closed = true;
  host.onPump = [&] {
    if (host.pumps == 2) closed = FormCloseQuery(app);
  };
  EXPECT_EQ(runItems(app, 10), 2);
  EXPECT_FALSE(closed);
  EXPECT_EQ(host.questions.size(), 1u);
  // Once the operation has stopped the window closes without a question.
  EXPECT_TRUE(FormCloseQuery(app));
  EXPECT_EQ(host.questions.size(), 1u);
  EXPECT_TRUE(app.cancelReq);
}

TEST_F(Cancel, ClosingWhileBusyAndAnsweringNoGoesOn) {
  host.answers = {false};
  bool closed = true;
  host.onPump = [&] {
    if (host.pumps == 1) closed = FormCloseQuery(app);
  };
  EXPECT_EQ(runItems(app, 3), 3);
  EXPECT_FALSE(closed);
}

TEST(WindowCommands, BrowseButtonsReplaceTheirBoxOnlyWhenSomethingIsChosen) {
  TestHost host;
  App app{host};
  app.ui.eWorkDir.text = "/old";
  bbWorkdirClick(app);  // cancelled
  EXPECT_EQ(app.ui.eWorkDir.text, "/old");
  host.dialogs = {"/new/out"};
  bbWorkdirClick(app);
  EXPECT_EQ(app.ui.eWorkDir.text, "/new/out");

  host.dialogs = {"/pics/back.bmp"};
  bbBackgroundClick(app);
  EXPECT_EQ(app.ui.eBackground.text, "/pics/back.bmp");
  bbBackgroundClick(app);
  EXPECT_EQ(app.ui.eBackground.text, "/pics/back.bmp");
  EXPECT_EQ(host.dialogTitles, (std::vector<std::string>{"Select a directory", "Select a directory",
                                                         "Open background image", "Open background image"}));
}

TEST(WindowCommands, ClearAndTheFileBox) {
  TestHost host;
  App app{host};
  TempDir dir;
  app.log("a");
  bClearClick(app);
  EXPECT_TRUE(app.messages.lines().empty());

  app.ui.eSUPfile.text = dir.write("x.sup", std::string("PG"));
  eSUPfileChange(app);
  EXPECT_TRUE(app.ui.bReadSUP.enabled);
  app.ui.eSUPfile.text = dir.file("missing.sup");
  eSUPfileChange(app);
  EXPECT_FALSE(app.ui.bReadSUP.enabled);
  app.ui.eSUPfile.text = dir.path().string();  // a folder is no stream
  eSUPfileChange(app);
  EXPECT_FALSE(app.ui.bReadSUP.enabled);
}

TEST(WindowCommands, LockFollowsTheBoxAndIgnoresAnEmptyList) {
  TestHost host;
  App app{host};
  app.curSub = -1;
  app.ui.cbLock.checked = true;
  cbLockClick(app);  // no subtitle: nothing to do, no crash
  app.appendSub();
  app.appendSub();
  app.curSub = 1;
  cbLockClick(app);
  EXPECT_EQ(app.subs[1].locked, 1);
  EXPECT_EQ(app.subs[0].locked, 0);
  app.ui.cbLock.checked = false;
  cbLockClick(app);
  EXPECT_EQ(app.subs[1].locked, 0);
}
