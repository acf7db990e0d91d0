#pragma once
// The window as a user meets it: opened on the program folder of a test, with the options
// store emptied before and after.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QSettings>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/subtitle_selector.h"
#include "app/stream_export.h"
#include "gui/settings_store_qt.h"
#include "app/letter_sheet_load.h"
#include "app/srt_loading.h"
#include "gui/tf_main.h"
#include "support/temp_dir.h"

inline QSettings storedOptions() { return QSettings(kSettingsOrganisation, kSettingsApplication); }

inline std::vector<std::string> logLines(const App& app) {
  std::vector<std::string> out;
  for (const LogLine& l : app.messages.lines()) out.push_back(l.text);
  return out;
}

// A Blu-ray stream lettered by the program itself from SRT text, written into the folder.
inline std::string letteredStream(const TempDir& dir, const std::string& name, std::string_view srt) {
  Host host;
  App app{host};
  loadLetterSheet(app, std::string(MARROWBY_SOURCE_DIR) + "/data");
  importSrt(app, srt);
  const std::string path = dir.file(name);
  bExportClick(app, path);
  EXPECT_TRUE(app.lastError.empty()) << app.lastError;
  return path;
}

// Five subtitles; "*" and "@" have no recognition rule, so subtitles 2 and 4 keep unknown
// glyphs.
inline constexpr std::string_view kFiveCues =
    "1\n00:00:01,000 --> 00:00:02,000\nGood morning.\n\n"
    "2\n00:00:03,000 --> 00:00:04,000\nFive * stars\n\n"
    "3\n00:00:05,000 --> 00:00:06,000\nHello there.\n\n"
    "4\n00:00:07,000 --> 00:00:08,000\nMail me @ home\n\n"
    "5\n00:00:09,000 --> 00:00:10,000\nGoodbye.\n\n";

class Window : public ::testing::Test {
 protected:
  TempDir dir;
  std::string program = dir.file("bin");
  std::unique_ptr<TfMain> window;

  void SetUp() override {
    storedOptions().clear();
    std::filesystem::create_directory(program);
    // The program's own letter sheet when the source tree has it.
    const std::filesystem::path sheet = std::filesystem::path(MARROWBY_SOURCE_DIR) / "data" / "abc.png";
    std::error_code ec;
    if (!std::filesystem::copy_file(sheet, program + "/abc.png", ec)) std::ofstream(program + "/abc.png") << "sheet";
  }
  void TearDown() override {
    if (window) window->app().busy = false;
    window.reset();
    storedOptions().clear();
  }

  TfMain& open(std::vector<std::string> args = {}) {
    window = std::make_unique<TfMain>(std::move(args), program);
    window->show();
    for (int i = 0; i < 50 && !window->app().started; ++i) QCoreApplication::processEvents();
    EXPECT_TRUE(window->app().started);
    return *window;
  }
  // Closes the window as the user does; returns whether it closed.
  bool closeWindow() {
    const bool closed = window->close();
    if (closed) window.reset();
    return closed;
  }
  template <class W>
  W* find(const char* name) {
    W* w = window->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  std::string unsupportedFile(const std::string& name = "odd.sup") { return dir.write(name, std::string("XX--")); }
  // Files dragged over the window and dropped, as the platform delivers them.
  void dropFile(const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &drop);
  }
  // A list of three subtitles as an SRT import leaves it (drawn without a stream file).
  void loadThree() {
    App& app = window->app();
    for (int i = 1; i <= 3; ++i) {
      TSUP& s = app.appendSub();
      s.num = i;
      s.startTime = "00:00:0" + std::to_string(i) + ",000";
      s.endTime = "00:00:0" + std::to_string(i) + ",500";
      s.text = "line " + std::to_string(i) + "|second";
      s.lineCount = 2;
      s.win[0].x1 = 400, s.win[0].x2 = 1500, s.win[0].y1 = 900, s.win[0].y2 = 1000;
    }
    app.subFormat = sfSRT;
    app.ui.udSubs.max = 3;
    window->run([](App& a) {
      setSubsPosition(a, 2);
      setSubsPosition(a, 1);
    });
  }
};

