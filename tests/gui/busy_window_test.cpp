// The window during a long run and after a failed read: only "Cancel" acts while a run goes
// on, whatever the user clicks, types or drops, and nothing of a former list can be saved or
// exported once a read leaves the list empty.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/bitmap_export.h"
#include "app/ocr_commands.h"
#include "app/stream_loading.h"
#include "app/srt_page.h"
#include "window_fixture.h"

namespace {
bool hasLine(const App& app, const std::string& text) {
  for (const std::string& l : logLines(app))
    if (l.find(text) != std::string::npos) return true;
  return false;
}
}  // namespace

TEST_F(Window, DuringALongRunOnlyCancelActs) {
  const std::string first = letteredStream(dir, "first.sup", kFiveCues);
  const std::string second = letteredStream(dir, "second.sup", "1\n00:00:01,000 --> 00:00:02,000\nOther\n");
  TfMain& w = open({first});
  App& app = w.app();
  ASSERT_EQ(app.subs.size(), 5u);
  w.host().answerDialog = [&](const std::string&) -> std::optional<std::string> { return second; };
  std::vector<std::string> questions;
  w.host().answerQuestion = [&](const std::string& q) {
    questions.push_back(q);
    return false;
  };
  for (const char* run : {"bSaveBMP", "bOCRall"}) {
    auto* start = find<QPushButton>(run);
    start->setFocus();
    bool tried = false;
    // What a user does while the run goes on: the timer fires at the run's first pause.
    QTimer::singleShot(0, &w, [&] {
      tried = true;
      for (const char* name : {"eSUPfile", "bReadSUP", "bbSUP", "bSaveBMP", "bOCRall", "bExport", "bClear"})
        EXPECT_FALSE(find<QWidget>(name)->isEnabled()) << run << " " << name;
      EXPECT_TRUE(find<QPushButton>("bCancel")->isEnabled()) << run;
      QWidget* focus = w.focusWidget();
      EXPECT_TRUE(focus == nullptr || focus == find<QWidget>("reMessage")) << run << " " << focus->objectName().toStdString();
      find<QToolButton>("bbSUP")->click();
      QTest::keyClicks(find<QLineEdit>("eSUPfile"), "x");
      if (focus) QTest::keyClicks(focus, "x \r\b");
      dropFile(second);
      w.run([&](App& a) { openChosenFile(a, second); });  // were the chooser reached after all
    });
    start->click();
    EXPECT_TRUE(tried) << run;
    EXPECT_FALSE(app.busy) << run;
    EXPECT_EQ(app.subs.size(), 5u) << run;
    EXPECT_EQ(find<QLineEdit>("eSUPfile")->text().toStdString(), first) << run;
    EXPECT_EQ(logLines(app)[logLines(app).size() - 2], "Done.") << run;
    EXPECT_FALSE(hasLine(app, "Cannot open file")) << run;
    EXPECT_FALSE(hasLine(app, "second.sup")) << run;
    EXPECT_EQ(w.focusWidget(), start) << run << " " << (w.focusWidget() ? w.focusWidget()->objectName().toStdString() : "");  // back where it was
  }
  EXPECT_TRUE(questions.empty());
  for (int n = 0; n <= 5; ++n)
    EXPECT_TRUE(std::filesystem::exists(dir.file("first.sup.bitmaps/line000" + std::to_string(n) + ".png"))) << n;
  // The run recognised the whole list, its own.
  EXPECT_EQ(app.subs[0].text, "Good morning.");
  EXPECT_EQ(app.subs[4].text, "Goodbye.");
}

TEST_F(Window, ExportLandsInTheOutputFolderAndAnEmptyListCannotBeExported) {
  const std::string stream = letteredStream(dir, "film.sup", kFiveCues);
  TfMain& w = open({stream});
  std::filesystem::create_directory(dir.file("out"));
  auto* workdir = find<QLineEdit>("Workdir");
  workdir->setFocus();
  QTest::keyClicks(workdir, QString::fromStdString(dir.file("out")));
  find<QPushButton>("bExport")->click();
  const std::string exported = dir.file("out/film.BD.23.976.sup");
  EXPECT_TRUE(hasLine(w.app(), "Exporting subtitle stream: " + exported));
  const std::vector<uint8_t> bytes = readFileBytes(exported);
  ASSERT_GT(bytes.size(), 100u);

  // A read that fails empties the list: nothing of the former one stays offered.
  w.host().answerDialog = [&](const std::string&) -> std::optional<std::string> { return unsupportedFile(); };
  find<QToolButton>("bbSUP")->click();
  EXPECT_TRUE(w.app().subs.empty());
  for (const char* name : {"bSaveBMP", "bOCRall", "bExport", "bSaveSRT", "cbLock", "bNext"})
    EXPECT_FALSE(find<QWidget>(name)->isEnabled()) << name;
  EXPECT_EQ(find<QLabel>("lMaxline")->text(), "");
  // Were the commands reached after all, each refuses with its message and writes nothing.
  w.host().answerDialog = [&](const std::string&) -> std::optional<std::string> { return dir.file("out/x.srt"); };
  for (const auto& [command, message] : std::vector<std::pair<TfMain::Command, std::string>>{
           {bSaveBMPClick, "No subtitles to save."},
           {bOCRallClick, "No subtitles to recognize."},
           {[](App& app) { bExportClick(app); }, "No subtitles to export."},
           {bSaveSRTClick, "No subtitles to save."}}) {
    w.run(command);
    EXPECT_EQ(w.app().lastError, message);
  }
  EXPECT_EQ(readFileBytes(exported), bytes);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("out")), {}), 1);
}
