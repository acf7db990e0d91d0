#include <gtest/gtest.h>

#include <QScrollArea>
#include <QScrollBar>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTextBlock>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "app/long_operation.h"
#include "app/subtitle_selector.h"
#include "gui/log_view.h"
#include "gui/settings_store_qt.h"
#include "gui/status_panels.h"
#include "gui/tf_main.h"
#include "window_fixture.h"

TEST_F(Window, StartsWithCaptionDefaultsAndTheStatusPage) {
  TfMain& w = open();
  EXPECT_EQ(w.windowTitle().toStdString(), std::string("Marrowby v") + kVersion);
  EXPECT_EQ(find<QTabWidget>("PageControl")->currentIndex(), 0);
  EXPECT_FALSE(find<QPushButton>("bReadSUP")->isEnabled());
  EXPECT_TRUE(find<QPushButton>("bOpenSRT")->isEnabled());
  EXPECT_FALSE(find<QPushButton>("bCancel")->isEnabled());
  EXPECT_FALSE(find<QPushButton>("bExport")->isEnabled());
  EXPECT_TRUE(find<QCheckBox>("AutoRead")->isChecked());
  EXPECT_EQ(find<QLineEdit>("CutLevel")->text(), "145");
  EXPECT_EQ(find<QLineEdit>("C_Div")->text(), "19");
  EXPECT_EQ(find<QComboBox>("Language")->currentText(), "N/A");
  EXPECT_TRUE(find<QGroupBox>("Frame")->findChildren<QRadioButton*>().front()->isChecked());
  EXPECT_FALSE(find<QProgressBar>("ProgressBar")->isVisibleTo(&w));
  EXPECT_EQ(find<QLabel>("WebLink")->text().toStdString(), std::string("Marrowby v") + kVersion);
  EXPECT_EQ(find<QPushButton>("bOCR")->toolTip(), "Convert bitmap to text");
}

TEST_F(Window, ReadsTheFileNamedOnTheCommandLineAndShowsTheErrorMarker) {
  const std::string file = unsupportedFile();
  TfMain& w = open({file});
  EXPECT_EQ(find<QLineEdit>("eSUPfile")->text().toStdString(), file);
  EXPECT_TRUE(find<QPushButton>("bReadSUP")->isEnabled());
  const auto lines = logLines(w.app());
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], file + " loading");
  EXPECT_EQ(lines[1], "Unsupported file format.");
  // The log view shows the red line.
  auto* log = find<LogView>("reMessage");
  EXPECT_TRUE(log->toPlainText().contains("Unsupported file format."));
  QTextCursor c(log->document()->findBlockByNumber(1));
  c.movePosition(QTextCursor::NextCharacter);
  EXPECT_EQ(c.charFormat().foreground().color(), QColor(255, 0, 0));
  // Panel 0 is red with the marker; a later status message takes it away.
  auto* bar = find<StatusPanels>("StatusBar");
  bar->resize(300, bar->sizeHint().height());
  EXPECT_EQ(bar->grab().toImage().pixelColor(3, bar->height() / 2), QColor(255, 0, 0));
  EXPECT_TRUE(bar->toolTip().contains("Unsupported file format."));
  EXPECT_GE(w.host().beeps, 1);
  w.run([](App& app) { app.slog("Ready", 0); });
  EXPECT_NE(bar->grab().toImage().pixelColor(3, bar->height() / 2), QColor(255, 0, 0));
}

TEST_F(Window, TheOpenDialogAndTheReadButton) {
  TfMain& w = open();
  const std::string file = unsupportedFile("chosen.sup");
  std::vector<std::string> titles;
  w.host().answerDialog = [&](const std::string& title) -> std::optional<std::string> {
    titles.push_back(title);
    return file;
  };
  find<QToolButton>("bbSUP")->click();
  EXPECT_EQ(titles, std::vector<std::string>{"Open subtitle stream (SUP)"});
  EXPECT_EQ(find<QLineEdit>("eSUPfile")->text().toStdString(), file);
  EXPECT_EQ(logLines(w.app()).front(), file + " loading");
  // "Read SUP" reads the box again.
  find<QPushButton>("bClear")->click();
  EXPECT_EQ(find<LogView>("reMessage")->toPlainText(), "");
  find<QPushButton>("bReadSUP")->click();
  EXPECT_EQ(logLines(w.app()).front(), file + " loading");
  EXPECT_TRUE(find<LogView>("reMessage")->toPlainText().startsWith(QString::fromStdString(file)));
}

TEST_F(Window, TypingANameOffersReadSupAndEnterReadsIt) {
  TfMain& w = open();
  const std::string file = unsupportedFile();
  auto* box = find<QLineEdit>("eSUPfile");
  box->setFocus();
  QTest::keyClicks(box, QString::fromStdString(file));
  EXPECT_TRUE(find<QPushButton>("bReadSUP")->isEnabled());
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(logLines(w.app()).front(), file + " loading");
  QTest::keyClick(box, Qt::Key_Backspace);
  EXPECT_FALSE(find<QPushButton>("bReadSUP")->isEnabled());
}

TEST_F(Window, ADroppedStreamIsReadAndOtherFilesAreIgnored) {
  TfMain& w = open();
  dropFile(dir.write("notes.txt", std::string("hello")));
  EXPECT_TRUE(w.app().messages.lines().empty());
  const std::string file = unsupportedFile("dropped.sup");
  dropFile(file);
  EXPECT_EQ(find<QLineEdit>("eSUPfile")->text().toStdString(), file);
  EXPECT_EQ(logLines(w.app()).front(), file + " loading");
  // While a long operation runs a drop is refused.
  find<QPushButton>("bClear")->click();
  w.app().busy = true;
  dropFile(file);
  EXPECT_TRUE(w.app().messages.lines().empty());
}

TEST_F(Window, TheSelectorDrawsTheSubtitleAndTakesDigitsOnly) {
  TfMain& w = open();
  loadThree();
  auto* selector = find<QLineEdit>("ieSubs");
  auto* memo = find<QPlainTextEdit>("mSubtext");
  EXPECT_TRUE(selector->isEnabled());
  EXPECT_EQ(selector->text(), "1");
  EXPECT_EQ(memo->toPlainText(), "line 1\nsecond");
  EXPECT_EQ(find<QLabel>("lStartEnd")->text(), "00:00:01,000 - 00:00:01,500");

  selector->selectAll();
  QTest::keyClicks(selector, "3");
  EXPECT_EQ(w.app().curSub, 2);
  EXPECT_EQ(memo->toPlainText(), "line 3\nsecond");

  const int beeps = w.host().beeps;
  QTest::keyClicks(selector, "x");
  EXPECT_EQ(selector->text(), "3");
  EXPECT_EQ(w.host().beeps, beeps + 1);

  QTest::keyClick(selector, Qt::Key_Down);
  EXPECT_EQ(selector->text(), "2");
  find<QToolButton>("udSubsUp")->click();
  find<QToolButton>("udSubsUp")->click();  // stops at the last subtitle
  EXPECT_EQ(selector->text(), "3");
  EXPECT_EQ(w.app().curSub, 2);
}

TEST_F(Window, EditingTheMemoReachesTheModelAndLockFollowsTheBox) {
  TfMain& w = open();
  loadThree();
  auto* memo = find<QPlainTextEdit>("mSubtext");
  memo->setFocus();
  memo->moveCursor(QTextCursor::End);
  QTest::keyClicks(memo, "!");
  EXPECT_EQ(w.app().ui.mSubtext.lines, (std::vector<std::string>{"line 1", "second!"}));
  // Texts are Windows-1252 inside: an accented letter arrives as its one byte.
  QKeyEvent accented(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\xc3\xa9"));
  QCoreApplication::sendEvent(memo, &accented);
  EXPECT_EQ(w.app().ui.mSubtext.lines.back(), "second!\xe9");

  // An edit stores the text and locks the subtitle; unticking "Lock" unlocks it.
  EXPECT_EQ(w.app().subs[0].text, "line 1|second!\xe9");
  EXPECT_EQ(w.app().subs[0].locked, 1);
  auto* lock = find<QCheckBox>("cbLock");
  EXPECT_TRUE(lock->isChecked());
  lock->click();
  EXPECT_EQ(w.app().subs[0].locked, 0);
}

TEST_F(Window, CancelAndClosingWhileBusy) {
  TfMain& w = open();
  std::vector<std::string> questions;
  w.host().answerQuestion = [&](const std::string& q) {
    questions.push_back(q);
    return true;
  };
  // The user tries to close the window during a long operation.
  QTimer::singleShot(0, &w, [&] { w.close(); });
  int items = 0;
  {
    LongOperation op(w.app());
    w.mirror();
    EXPECT_TRUE(find<QPushButton>("bCancel")->isEnabled());
    while (items < 1000) {
      ++items;
      if (op.stopRequested()) break;
    }
  }
  EXPECT_LT(items, 1000);
  EXPECT_EQ(questions, std::vector<std::string>{"Are you sure to stop?"});
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(find<LogView>("reMessage")->toPlainText().contains("Cancelled."));
  // Once it has stopped, closing closes without a question and stores the options.
  EXPECT_TRUE(closeWindow());
  EXPECT_EQ(questions.size(), 1u);
  EXPECT_TRUE(storedOptions().contains("CutLevel"));
}

TEST_F(Window, AnsweringNoKeepsTheOperationRunning) {
  TfMain& w = open();
  w.host().answerQuestion = [](const std::string&) { return false; };
  QTimer::singleShot(0, &w, [&] { find<QPushButton>("bCancel")->click(); });
  int items = 0;
  {
    LongOperation op(w.app());
    w.mirror();
    while (items < 20) {
      ++items;
      if (op.stopRequested()) break;
    }
  }
  w.mirror();  // as the command runner does when a command ends
  EXPECT_EQ(items, 20);
  EXPECT_FALSE(find<QPushButton>("bCancel")->isEnabled());
}

TEST_F(Window, FirstRunShowsDefaultsAndClosingStoresEveryValue) {
  open();
  EXPECT_TRUE(storedOptions().allKeys().isEmpty());
  EXPECT_TRUE(closeWindow());
  QSettings s = storedOptions();
  for (const SettingInfo& info : settingsTable()) EXPECT_TRUE(s.contains(info.name)) << info.name;
  EXPECT_EQ(s.value("AutoRead").toInt(), 1);
  EXPECT_EQ(s.value("CutLevel").toInt(), 145);
  EXPECT_EQ(s.value("Format").toInt(), 0);
}

TEST_F(Window, OptionsChangedInTheWindowComeBackNextTime) {
  open();
  find<QCheckBox>("Details")->click();
  auto* level = find<QLineEdit>("CutLevel");
  level->selectAll();
  QTest::keyClicks(level, "120");
  find<QGroupBox>("Frame")->findChildren<QRadioButton*>()[2]->click();
  auto* lang = find<QComboBox>("Language");
  lang->setCurrentIndex(1);
  emit lang->activated(1);
  auto* engine = find<QComboBox>("Engine");
  engine->setCurrentIndex(engTesseract);
  emit engine->activated(engTesseract);
  auto* ocrLang = find<QLineEdit>("OcrLang");
  ocrLang->selectAll();
  QTest::keyClicks(ocrLang, "eng+fra");
  EXPECT_TRUE(closeWindow());

  open();
  EXPECT_TRUE(find<QCheckBox>("Details")->isChecked());
  EXPECT_EQ(find<QLineEdit>("CutLevel")->text(), "120");
  EXPECT_TRUE(find<QGroupBox>("Frame")->findChildren<QRadioButton*>()[2]->isChecked());
  EXPECT_EQ(find<QComboBox>("Language")->currentText(), "English");
  EXPECT_EQ(find<QComboBox>("Engine")->currentText(), "Tesseract");
  EXPECT_EQ(find<QLineEdit>("OcrLang")->text(), "eng+fra");
  EXPECT_EQ(window->app().ui.rgFrame.itemIndex, 2);
}

TEST_F(Window, StoredValuesOfTheWrongTypeKeepTheirDefault) {
  {
    QSettings s = storedOptions();
    s.setValue("CutLevel", "high");
    s.setValue("Borders", 5);
    s.setValue("Language", 1);
    s.setValue("AutoRead", "false");
  }
  open();
  EXPECT_EQ(find<QLineEdit>("CutLevel")->text(), "145");
  EXPECT_TRUE(find<QCheckBox>("Borders")->isChecked());
  EXPECT_FALSE(find<QCheckBox>("AutoRead")->isChecked());
  EXPECT_EQ(find<QComboBox>("Language")->currentText(), "English");
}

TEST_F(Window, AMaximisedWindowKeepsItsNormalBounds) {
  {
    QSettings s = storedOptions();
    s.setValue("Left", 30);
    s.setValue("Top", 40);
    s.setValue("Width", 700);
    s.setValue("Height", 600);
  }
  TfMain& w = open();
  EXPECT_EQ(w.geometry(), QRect(30, 40, 700, 600));
  w.showMaximized();
  QCoreApplication::processEvents();
  EXPECT_TRUE(closeWindow());
  QSettings s = storedOptions();
  EXPECT_EQ(s.value("WindowState").toInt(), 2);
  EXPECT_EQ(s.value("Width").toInt(), 700);
  EXPECT_EQ(s.value("Left").toInt(), 30);

  TfMain& next = open();
  EXPECT_TRUE(next.isMaximized());
  next.showNormal();
  QCoreApplication::processEvents();
  EXPECT_EQ(next.geometry().size(), QSize(700, 600));
}

TEST_F(Window, AMissingLetterSheetDisablesOpenSrt) {
  std::filesystem::remove(program + "/abc.png");
  TfMain& w = open();
  EXPECT_FALSE(find<QPushButton>("bOpenSRT")->isEnabled());
  EXPECT_EQ(logLines(w.app()).back(), "");
  EXPECT_TRUE(find<LogView>("reMessage")->toPlainText().contains("You cannot import .srt files without it."));
}

TEST_F(Window, TheLogFollowsAppendsAndReplacementsIncrementally) {
  TfMain& w = open();
  auto* log = find<LogView>("reMessage");
  w.run([](App& app) {
    app.log2("Loading x");
    for (int i = 0; i < 2000; ++i) app.log("[b]packet[/b] " + std::to_string(i));
  });
  w.run([](App& app) { app.logn("3 subtitles loaded."); });
  EXPECT_EQ(log->document()->blockCount(), 2002);
  EXPECT_EQ(log->document()->lastBlock().text(), "3 subtitles loaded.");
  EXPECT_EQ(log->document()->findBlockByNumber(5).text(), "packet 3");
  QTextCursor bold(log->document()->findBlockByNumber(5));
  bold.movePosition(QTextCursor::NextCharacter);
  EXPECT_EQ(bold.charFormat().fontWeight(), QFont::Bold);
  w.run([](App& app) {
    app.clearLog();
    app.log("[re]a[/re]");
  });
  EXPECT_EQ(log->toPlainText(), "a");
}

TEST_F(Window, TheImageViewScrollsToTheSubtitleAndKeepsTheUsersScroll) {
  TfMain& w = open();
  find<QCheckBox>("Fit")->click();  // the picture at its real size
  // Drawn while another page shows, then looked at.
  loadThree();
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  find<QTabWidget>("PageControl")->setCurrentIndex(2);
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  QScrollBar* bar = find<QScrollArea>("sbImage")->verticalScrollBar();
  const int wanted = w.app().ui.sbImage.vertPosition;
  EXPECT_GT(wanted, 0);
  // However the layout settled, the view shows the subtitle's rows.
  EXPECT_EQ(bar->value(), std::min(wanted, bar->maximum()));
  // Across, the middle of the area is in the middle of the view.
  QScrollArea* view = find<QScrollArea>("sbImage");
  const TSUPWin& area = w.app().subs[0].win[0];
  const int across = view->horizontalScrollBar()->value() + view->viewport()->width() / 2;
  EXPECT_NEAR(across, (area.x1 + area.x2) / 2, 1);
  bar->triggerAction(QAbstractSlider::SliderPageStepSub);
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(w.app().ui.sbImage.vertPosition, bar->value());
  EXPECT_LT(bar->value(), wanted);
}
