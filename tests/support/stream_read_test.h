#pragma once
// A fixture that reads built streams through "Read SUP", as a user would, and shows what the
// log and the status bar said on the way.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "app/stream_loading.h"
#include "support/stream_builder.h"
#include "support/temp_dir.h"
#include "support/test_host.h"

// Records the status bar's second panel and the progress bar at every repaint, so that
// progress shows.
class ProgressHost : public TestHost {
 public:
  const App* app = nullptr;
  std::vector<std::string> panel1;
  std::vector<int> progress;
  void repaint() override {
    TestHost::repaint();
    if (!app) return;
    panel1.push_back(app->statusBar.panels[1].text);
    progress.push_back(app->ui.ProgressBar.position);
  }
};

class StreamReadTest : public ::testing::Test {
 protected:
  ProgressHost host;
  App app{host};
  TempDir dir;

  StreamReadTest() { host.app = &app; }

  // Reads the bytes from a file through "Read SUP"; returns the file's path.
  std::string load(const Bytes& bytes, bool details = false) {
    app.ui.cbDetails.checked = details;
    app.ui.eSUPfile.text = dir.write("stream.sup", bytes);
    app.clearLastError();
    bReadSUPClick(app);
    return app.ui.eSUPfile.text;
  }

  std::vector<std::string> logLines() const {
    std::vector<std::string> out;
    for (const LogLine& l : app.messages.lines()) out.push_back(l.text);
    return out;
  }

  bool logHas(const std::string& line) const {
    for (const LogLine& l : app.messages.lines())
      if (l.text == line) return true;
    return false;
  }

  const TSUP& sub(size_t n) const { return app.subs.at(n - 1); }
};
