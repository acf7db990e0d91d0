#pragma once
// The program state a stream reader runs in, for the reader fuzz targets. One App serves the
// whole run: a new one costs about a tenth of a second here (its working images are 10 MB of
// fresh pages), which would starve the fuzzer. The readers use only the "Detailed info"
// option, the list, the log, the status bar, the format and streamBuf (which they fill before
// they read it), so resetting those gives every input the state of a fresh App.
#include "app/app.h"

inline App& readerApp(bool details) {
  static Host host;  // does nothing
  static App app(host);
  app.subs.clear();
  app.subFormat = sfDVD;
  app.clearLog();
  app.statusBar = StatusBar{};
  app.clearLastError();
  app.ui.cbDetails.checked = details;
  return app;
}
