// What the commands refuse while a long operation runs: anything but "Cancel". A refusal
// changes neither the list, the options nor any file. (Refusals of an empty list: the window
// tests.)
#include "app/command_guards.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/long_operation.h"
#include "app/subtitle_selector.h"
#include "app/window_commands.h"
#include "app/bitmap_export.h"
#include "app/stream_export.h"
#include "app/ocr_commands.h"
#include "support/stream_read_test.h"
#include "app/srt_page.h"
#include "app/srt_loading.h"
#include "app/text_lines.h"

namespace {
using Command = std::function<void(App&)>;

class Refusals : public StreamReadTest {
 protected:
  std::string stream;
  void SetUp() override {
    stream = load(twoSubtitles());
    ASSERT_EQ(app.subs.size(), 2u);
  }
  static Bytes twoSubtitles() {
    PgStream s;
    s.show(90000, pgTestImage(100, 200, 64, 20)).clear(180000);
    s.show(270000, pgTestImage(300, 600, 40, 11)).clear(360000);
    return s.bytes();
  }
  long filesInDir() const { return long(std::distance(std::filesystem::directory_iterator(dir.path()), {})); }
};
}  // namespace

TEST_F(Refusals, NothingButCancelActsWhileALongOperationRuns) {
  PgStream one;
  one.show(90000, pgTestImage(10, 20, 30, 10)).clear(180000);
  const std::string other = dir.write("other.sup", one.bytes());
  const std::string srt = dir.write("other.srt", std::string("1\n00:00:01,000 --> 00:00:02,000\nHi\n"));
  app.ui.recentFiles[0] = other;
  app.ui.mSubtext.lines = {"typed"};
  app.ui.cbLock.checked = true;
  app.ui.PageControl.activePage = pgSRT;  // opening the page would build the SRT text
  app.ui.ieSubs.text = "2";
  const long files = filesInDir();
  const std::string text = app.subs[0].text;
  const std::vector<std::pair<const char*, Command>> commands = {
      {"Read SUP", bReadSUPClick},
      {"...", bbSUPClick},
      {"chosen stream", [&](App& a) { openChosenFile(a, other); }},
      {"chosen SRT", [&](App& a) { openChosenFile(a, srt); }},
      {"recent file", [](App& a) { openRecentFile(a, 0); }},
      {"dropped file", [&](App& a) { filesDropped(a, {other}); }},
      {"Open SRT", bOpenSRTClick},
      {"Save SRT", bSaveSRTClick},
      {"Save bitmaps", bSaveBMPClick},
      {"OCR all", bOCRallClick},
      {"Export sup", [](App& a) { bExportClick(a); }},
      {"OCR", bOCRClick},
      {"Prev", bPrevClick},
      {"Next", bNextClick},
      {"Font", rgFontClick},
      {"selector", [](App& a) { setSubsPosition(a, 2); }},
      {"text edit", mSubtextChange},
      {"Lock", cbLockClick},
      {"Clear", bClearClick},
      {"file box", eSUPfileChange},
      {"output folder", bbWorkdirClick},
      {"background picture", bbBackgroundClick},
      {"page change", PageControlChange},
      {"redraw", redrawShown},
  };
  for (const auto& [name, command] : commands) {
    host.dialogs = {other};  // a dialog, were one shown, would choose the other stream
    const int beeps = host.beeps;
    const size_t lines = app.messages.lines().size();
    {
      LongOperation op(app);
      command(app);
    }
    EXPECT_EQ(host.beeps, beeps + 1) << name;
    EXPECT_TRUE(host.dialogTitles.empty()) << name;
    EXPECT_EQ(app.messages.lines().size(), lines) << name;
    EXPECT_EQ(app.ui.eSUPfile.text, stream) << name;
    ASSERT_EQ(app.subs.size(), 2u) << name;
    EXPECT_EQ(app.subs[0].text, text) << name;
    EXPECT_EQ(app.subs[0].locked, 0) << name;
    EXPECT_EQ(app.curSub, 0) << name;
    EXPECT_TRUE(app.ui.mSRT.lines.empty()) << name;
    EXPECT_EQ(app.ui.recentFiles[0], other) << name;
    EXPECT_EQ(filesInDir(), files) << name;
  }
}
