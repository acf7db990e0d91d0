#pragma once
// The window as a user meets it: opened on the program folder of a test, with the options
// store emptied before and after.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSettings>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/subtitle_selector.h"
#include "gui/settings_store_qt.h"
#include "gui/tf_main.h"
#include "support/temp_dir.h"

inline QSettings storedOptions() { return QSettings(kSettingsOrganisation, kSettingsApplication); }

inline std::vector<std::string> logLines(const App& app) {
  std::vector<std::string> out;
  for (const LogLine& l : app.messages.lines()) out.push_back(l.text);
  return out;
}

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

