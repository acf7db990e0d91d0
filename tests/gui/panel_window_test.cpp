// The "Image" and "Options" pages as a user handles them: the subtitle's text and "Lock",
// the font choice after a reading, the picture fitted to the page, options that the wheel
// scrolls past and that take their numbers when the edit is done, and the recent files.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "gui/image_view.h"
#include "window_fixture.h"

namespace {
void settle() {
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
}
}  // namespace

TEST_F(Window, TheSubtitlesTextLocksUnlocksAndTabsOn) {
  TfMain& w = open({letteredStream(dir, "five.sup", kFiveCues)});
  App& app = w.app();
  find<QTabWidget>("PageControl")->setCurrentIndex(pgImage);
  auto* lock = find<QCheckBox>("cbLock");
  auto* memo = find<QPlainTextEdit>("mSubtext");
  auto* font = find<QGroupBox>("rgFont");
  EXPECT_TRUE(lock->isEnabled());
  EXPECT_FALSE(font->isEnabled());  // not read yet: no font to show

  // "OCR" reads the subtitle; the font choice shows the reading at once.
  find<QPushButton>("bOCR")->click();
  EXPECT_EQ(app.subs[0].text, "Good morning.");
  EXPECT_TRUE(font->isEnabled());
  EXPECT_TRUE(font->findChildren<QRadioButton*>()[app.subs[0].fontMode]->isChecked());

  // An edit locks the subtitle; Tab leaves the box instead of typing into the text.
  w.activateWindow();
  memo->setFocus();
  memo->moveCursor(QTextCursor::End);
  QTest::keyClicks(memo, "!");
  QTest::keyClick(memo, Qt::Key_Tab);
  EXPECT_FALSE(memo->hasFocus());
  EXPECT_EQ(app.subs[0].text, "Good morning.!");
  EXPECT_TRUE(lock->isChecked());
  find<QPushButton>("bOCR")->click();
  EXPECT_EQ(app.subs[0].text, "Good morning.!");  // locked: the reading keeps the edit

  // Unticked, recognition replaces the text again; ticked, it keeps it.
  for (const bool locked : {false, true}) {
    lock->click();
    EXPECT_EQ(app.subs[0].locked, locked ? 1 : 0);
    app.subs[0].text = "edited";
    find<QPushButton>("bOCR")->click();
    EXPECT_EQ(app.subs[0].text, locked ? "edited" : "Good morning.");
  }
}

TEST_F(Window, FitShowsTheWholePictureAndTheRealSizeIsOneClickAway) {
  open({letteredStream(dir, "five.sup", kFiveCues)});
  find<QTabWidget>("PageControl")->setCurrentIndex(pgImage);
  settle();
  auto* view = static_cast<ImageView*>(find<QWidget>("Image"));
  auto* box = find<QScrollArea>("sbImage");
  auto* fit = find<QCheckBox>("Fit");
  ASSERT_TRUE(fit->isChecked());
  // The whole 1920 x 1080 picture inside the page, its proportions kept.
  const QRect shown = view->pictureRect();
  EXPECT_TRUE(box->viewport()->rect().contains(view->geometry()));
  EXPECT_TRUE(view->rect().contains(shown));
  EXPECT_TRUE(shown.width() == view->width() || shown.height() == view->height());
  EXPECT_NEAR(double(shown.width()) / shown.height(), 1920.0 / 1080.0, 0.02);

  fit->click();
  settle();
  EXPECT_EQ(view->pictureRect(), QRect(0, 0, 1920, 1080));
  EXPECT_TRUE(closeWindow());
  EXPECT_EQ(storedOptions().value("Fit").toInt(), 0);
}

TEST_F(Window, TheWheelLeavesOptionsAloneAndNumbersAreTakenWhenDone) {
  TfMain& w = open({letteredStream(dir, "five.sup", kFiveCues)});
  find<QTabWidget>("PageControl")->setCurrentIndex(pgOptions);
  // Left unaccepted, the wheel over the closed drop-down goes on to the page, which scrolls.
  auto* lang = find<QComboBox>("Language");
  QWheelEvent wheel(QPointF(5, 5), lang->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(lang, &wheel);
  EXPECT_FALSE(wheel.isAccepted());
  EXPECT_EQ(w.app().ui.coLang.itemIndex, 0);

  // Clearing "Level" to type a number leaves it cleared until the number is done.
  auto* level = find<QLineEdit>("CutLevel");
  EXPECT_EQ(level->maxLength(), 3);
  level->setFocus();
  for (const auto& [typed, done] : std::vector<std::pair<const char*, const char*>>{{"150", "150"}, {"300", "255"}}) {
    level->selectAll();
    QTest::keyClick(level, Qt::Key_Backspace);
    QTest::keyClicks(level, typed);
    EXPECT_EQ(level->text(), typed);
    QTest::keyClick(level, Qt::Key_Return);
    EXPECT_EQ(w.app().ui.ieCutLevel.text, done);
  }
}

TEST_F(Window, RecentFilesOnTheChoosersMenu) {
  const std::string a = letteredStream(dir, "a.sup", kFiveCues);
  const std::string b = letteredStream(dir, "b.sup", kFiveCues);
  const std::string srt = dir.write("c.srt", std::string(kFiveCues));
  TfMain& w = open();
  for (const std::string& file : {a, b, srt}) {
    w.host().answerDialog = [&](const std::string&) -> std::optional<std::string> { return file; };
    find<QToolButton>("bbSUP")->click();
  }
  auto* menu = find<QMenu>("recentFiles");
  auto entries = [&] {
    emit menu->aboutToShow();
    std::vector<std::string> out;
    for (QAction* action : menu->actions())
      if (!action->isSeparator()) out.push_back(action->text().toStdString());
    return out;
  };
  EXPECT_EQ(entries(), (std::vector<std::string>{srt, b, a}));
  menu->actions().back()->trigger();  // a.sup
  EXPECT_EQ(w.app().ui.eSUPfile.text, a);
  EXPECT_EQ(w.app().subs.size(), 5u);
  EXPECT_EQ(entries(), (std::vector<std::string>{a, srt, b}));

  // Kept for the next run; a file that is gone leaves the menu when chosen.
  EXPECT_TRUE(closeWindow());
  std::filesystem::remove(b);
  open();
  menu = find<QMenu>("recentFiles");
  EXPECT_EQ(entries(), (std::vector<std::string>{a, srt, b}));
  menu->actions().back()->trigger();
  EXPECT_EQ(entries(), (std::vector<std::string>{a, srt}));
  EXPECT_EQ(window->app().lastError.rfind("Cannot open file", 0), 0u);
}
