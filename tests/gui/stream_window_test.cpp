// The window over real streams made by other programs.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "app/long_operation.h"
#include "gui/log_view.h"
#include "window_fixture.h"

namespace {
std::string sample(const char* name) { return std::string(MARROWBY_SAMPLES_DIR) + "/" + name; }
}  // namespace

class StreamWindow : public Window {
 protected:
  void SetUp() override {
    Window::SetUp();
    if (!std::filesystem::exists(sample("pgs/sintel-en.sup")))
      GTEST_SKIP() << "the sample streams are not at " << MARROWBY_SAMPLES_DIR;
  }
};

TEST_F(StreamWindow, ABluRayStreamOnTheCommandLineFillsTheWindow) {
  TfMain& w = open({sample("pgs/sintel-en.sup")});
  EXPECT_EQ(w.app().subs.size(), 26u);
  EXPECT_NE(find<LogView>("reMessage")->toPlainText().indexOf("26 subtitles loaded."), -1);
  EXPECT_TRUE(find<QPushButton>("bSaveBMP")->isEnabled());
  EXPECT_TRUE(find<QPushButton>("bExport")->isEnabled());
  EXPECT_TRUE(find<QPushButton>("bOCRall")->isEnabled());
  EXPECT_FALSE(find<QPushButton>("bCancel")->isEnabled());
  EXPECT_TRUE(find<QLineEdit>("ieSubs")->isEnabled());
  EXPECT_EQ(find<QLineEdit>("ieSubs")->text(), "1");
  EXPECT_EQ(find<QLabel>("lStartEnd")->text().toStdString(),
            w.app().subs[0].startTime + " - " + w.app().subs[0].endTime);
  // The arrows step through the list and stop at its ends.
  find<QToolButton>("udSubsDown")->click();
  EXPECT_EQ(find<QLineEdit>("ieSubs")->text(), "1");
  find<QToolButton>("udSubsUp")->click();
  EXPECT_EQ(w.app().curSub, 1);
  EXPECT_FALSE(find<QPushButton>("bCancel")->isEnabled());
}

TEST_F(StreamWindow, ASecondStreamReplacesTheListAndADvdStreamKeepsOcrAll) {
  TfMain& w = open({sample("pgs/sintel-en.sup")});
  const std::string dvd = sample("dvd/subtitleedit-vobsub-rewrapped.sup");
  w.host().answerDialog = [&](const std::string&) -> std::optional<std::string> { return dvd; };
  find<QToolButton>("bbSUP")->click();
  EXPECT_EQ(w.app().subFormat, sfDVD);
  EXPECT_GT(w.app().subs.size(), 0u);
  EXPECT_EQ(find<QLineEdit>("ieSubs")->text(), "1");
  EXPECT_TRUE(find<QPushButton>("bOCRall")->isEnabled());
}

TEST_F(StreamWindow, ProgressShowsInTheTitleWhileAnOperationRuns) {
  TfMain& w = open({sample("pgs/sintel-en.sup")});
  QString during;
  {
    LongOperation op(w.app());
    w.app().pslog("Saving 6", 6);
    w.mirror();
    during = w.windowTitle();
  }
  w.mirror();
  EXPECT_EQ(during, "Marrowby - 23%");
  EXPECT_EQ(w.windowTitle().toStdString(), std::string("Marrowby v") + kVersion);
}
